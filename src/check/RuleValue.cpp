#include "RuleValue.h"

#include <cmath>
#include <limits>

namespace kestrune::check {

namespace {

// 2^63: the first double that no longer fits a signed 64-bit whole number.
constexpr double kWholeLimit = 9223372036854775808.0;

bool addOverflows(qint64 a, qint64 b, qint64& sum) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_add_overflow(a, b, &sum);
#else
    if ((b > 0 && a > std::numeric_limits<qint64>::max() - b) ||
        (b < 0 && a < std::numeric_limits<qint64>::min() - b))
        return true;
    sum = a + b;
    return false;
#endif
}

bool multiplyOverflows(qint64 a, qint64 b, qint64& product) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_mul_overflow(a, b, &product);
#else
    // The overflow tests of CERT INT32-C, for compilers without the builtin.
    const qint64 max = std::numeric_limits<qint64>::max();
    const qint64 min = std::numeric_limits<qint64>::min();
    if (a > 0 ? (b > 0 ? a > max / b : b < min / a) : (b > 0 ? a < min / b : a != 0 && b < max / a))
        return true;
    product = a * b;
    return false;
#endif
}

template <typename T> bool compareOrdered(Comparison comparison, T a, T b) {
    switch (comparison) {
    case Comparison::Equal:
        return a == b;
    case Comparison::NotEqual:
        return a != b;
    case Comparison::Less:
        return a < b;
    case Comparison::LessOrEqual:
        return a <= b;
    case Comparison::Greater:
        return a > b;
    case Comparison::GreaterOrEqual:
        return a >= b;
    }
    return false;
}

} // namespace

RuleValue add(const RuleValue& a, const RuleValue& b) {
    if (!a.real && !b.real) {
        qint64 sum = 0;
        if (!addOverflows(a.whole, b.whole, sum))
            return RuleValue::ofWhole(sum);
    }
    return RuleValue::ofReal(a.toReal() + b.toReal());
}

RuleValue multiply(const RuleValue& a, const RuleValue& b) {
    if (!a.real && !b.real) {
        qint64 product = 0;
        if (!multiplyOverflows(a.whole, b.whole, product))
            return RuleValue::ofWhole(product);
    }
    return RuleValue::ofReal(a.toReal() * b.toReal());
}

bool compare(Comparison comparison, const RuleValue& a, const RuleValue& b) {
    if (!a.real && !b.real)
        return compareOrdered(comparison, a.whole, b.whole);
    return compareOrdered(comparison, a.toReal(), b.toReal());
}

RuleValue fieldValue(bool realValued, double stored) {
    if (realValued)
        return RuleValue::ofReal(stored);
    const double rounded = std::round(stored);
    if (!(std::fabs(rounded) < kWholeLimit))
        return RuleValue::ofReal(stored);
    return RuleValue::ofWhole(qint64(rounded));
}

RuleValue fieldValue(bool realValued, qint64 stored) {
    return realValued ? RuleValue::ofReal(double(stored)) : RuleValue::ofWhole(stored);
}

} // namespace kestrune::check
