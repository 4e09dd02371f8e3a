#include "FieldValues.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace kestrune::entry {

namespace {

// Whole values that a 64-bit integer holds exactly print as integers.
bool printsAsWhole(double value) {
    return std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15;
}

QString formatted(double value, bool separators) {
    QLocale c = QLocale::c();
    c.setNumberOptions(separators ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    if (printsAsWhole(value))
        return c.toString(qint64(value));
    if (!std::isfinite(value))
        return c.toString(value);
    // The shortest text that reads back as the same double: every stored
    // digit shows, none is invented.
    return c.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString limitText(double value) {
    return formatted(value, true);
}

} // namespace

QString DisplayNumber(double value) {
    return value == 0 ? QString() : formatted(value, true);
}

QString PlainNumber(double value) {
    return formatted(value, false);
}

std::optional<double> ParseNumber(const QString& text, bool decimals) {
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    if (plain.isEmpty())
        return 0.0;
    for (const QChar ch : plain)
        if (!ch.isDigit() && !(decimals && ch == QLatin1Char('.')))
            return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

TypedNumber CheckTypedNumber(const QString& text, bool decimals, const BoxLimits& limits) {
    if (limits.maxLength >= 0 && text.size() > limits.maxLength)
        return TypedNumber::Refused;
    QString plain = text;
    plain.remove(QLatin1Char(','));
    if (plain.count(QLatin1Char('.')) > (decimals ? 1 : 0))
        return TypedNumber::Refused;
    if (plain.isEmpty() || plain == QLatin1String("."))
        return plain.isEmpty() ? TypedNumber::Acceptable : TypedNumber::Unfinished;
    const std::optional<double> value = ParseNumber(plain, decimals);
    if (!value)
        return TypedNumber::Refused;
    if (*value > limits.maximum)
        return TypedNumber::Refused;
    if (*value < limits.minimum)
        return TypedNumber::Unfinished;
    return plain.endsWith(QLatin1Char('.')) ? TypedNumber::Unfinished : TypedNumber::Acceptable;
}

QString RefusalHint(bool decimals, const BoxLimits& limits) {
    return QStringLiteral("这里只能输入 %1 到 %2 之间的%3")
        .arg(limitText(limits.minimum), limitText(limits.maximum),
             decimals ? QStringLiteral("数") : QStringLiteral("整数"));
}

std::optional<QString> OutOfLimitsHint(double value, bool decimals, const BoxLimits& limits) {
    const bool within = std::isfinite(value) && value >= limits.minimum &&
                        value <= limits.maximum && (decimals || value == std::floor(value));
    if (within)
        return std::nullopt;
    return QStringLiteral("保存的数值 %1 超出了这里允许的范围，请核实：%2")
        .arg(formatted(value, true), RefusalHint(decimals, limits));
}

qint64 NearestWhole(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (value <= -kLimit)
        return std::numeric_limits<qint64>::min();
    return std::llround(value);
}

std::optional<BoxLimits> CatalogueLimits(int id, shell::QueryType queryType) {
    if (id <= 6)
        return std::nullopt;
    if (queryType == shell::QueryType::WholeNumber || queryType == shell::QueryType::Decimal)
        return BoxLimits{};
    if (queryType == shell::QueryType::YesNo)
        return YesNoLimits();
    return std::nullopt;
}

BoxLimits YesNoLimits() {
    return BoxLimits{0, 2, 1};
}

} // namespace kestrune::entry
