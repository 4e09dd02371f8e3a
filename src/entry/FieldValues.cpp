#include "FieldValues.h"

#include <QLocale>
#include <cmath>

namespace kestrune::entry {

QString DisplayNumber(double value, bool decimals) {
    if (value == 0)
        return QString();
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    if (!decimals || value == std::floor(value))
        return c.toString(qint64(std::llround(value)));
    QString text = c.toString(value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

std::optional<double> ParseNumber(const QString& text, bool decimals) {
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    if (plain.isEmpty())
        return 0.0;
    if (!decimals && plain.contains(QLatin1Char('.')))
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

int StoredYesNo(int value) {
    return value > 2 ? 2 : value;
}

std::optional<BoxLimits> CatalogueLimits(int id, int queryType) {
    if (id <= 6)
        return std::nullopt;
    if (queryType == 0 || queryType == 2)
        return BoxLimits{};
    if (queryType == 3)
        return YesNoLimits();
    return std::nullopt;
}

BoxLimits YesNoLimits() {
    return BoxLimits{0, 2, 1};
}

} // namespace kestrune::entry
