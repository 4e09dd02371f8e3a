#pragma once

#include <QtGlobal>

namespace kestrune::check {

// A number as the rules compute with it: a whole number held exactly in 64
// bits, or a real number once a real-valued field takes part. A whole-number
// sum or product that would leave 64 bits goes on as a real number, so it
// keeps its sign and size instead of wrapping round.
struct RuleValue {
    bool real = false;
    qint64 whole = 0;
    double number = 0; // the value when real

    static RuleValue ofWhole(qint64 value) { return {false, value, 0}; }
    static RuleValue ofReal(double value) { return {true, 0, value}; }
    double toReal() const { return real ? number : double(whole); }
};

RuleValue add(const RuleValue& a, const RuleValue& b);
RuleValue multiply(const RuleValue& a, const RuleValue& b);

enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

// Two whole numbers compare exactly; as soon as one is real, on the real values.
bool compare(Comparison comparison, const RuleValue& a, const RuleValue& b);

// A stored value as a rule reads it: a real-valued field keeps its fraction;
// any other field is a whole number, rounded half away from zero as the
// database layer reads whole numbers. A stored value too large for 64 bits
// stays real rather than being cut.
RuleValue fieldValue(bool realValued, double stored);
RuleValue fieldValue(bool realValued, qint64 stored);

} // namespace kestrune::check
