#include "CheckSelection.h"

#include "shell/CodeRange.h"
#include "shell/SurveyTerms.h"

#include <QStringList>

namespace kestrune::check {

CheckSelection CheckSelection::allRecords() {
    return CheckSelection();
}

CheckSelection CheckSelection::unitRange(double lowest, double highest) {
    CheckSelection selection;
    selection.kind_ = Kind::UnitRange;
    selection.lowest_ = lowest;
    selection.highest_ = highest < lowest ? lowest : highest;
    return selection;
}

std::optional<CheckSelection> CheckSelection::unitRangeFromTexts(const QString& lowest,
                                                                 const QString& highest) {
    const std::optional<shell::CodeRange> range = shell::ReadCodeRange(lowest, highest);
    if (!range)
        return std::nullopt;
    return unitRange(range->from, range->to);
}

CheckSelection CheckSelection::unitCodes(const QList<double>& codes) {
    CheckSelection selection;
    selection.kind_ = Kind::UnitCodes;
    selection.codes_ = codes;
    return selection;
}

QString CheckSelection::condition() const {
    switch (kind_) {
    case Kind::UnitRange:
        return shell::kAnsweringUnitCondition + QStringLiteral(" and c901>=? and c901<=?");
    case Kind::UnitCodes:
        // One value however many rows are marked: the codes as a JSON array.
        return shell::kAnsweringUnitCondition +
               QStringLiteral(" and c901 in (select value from json_each(?))");
    case Kind::AllRecords:
        break;
    }
    return shell::kAnsweringUnitCondition;
}

QVariantList CheckSelection::parameters() const {
    switch (kind_) {
    case Kind::UnitRange:
        return {lowest_, highest_};
    case Kind::UnitCodes: {
        QStringList codes;
        for (double code : codes_)
            codes << QString::number(code, 'f', 2);
        return {QLatin1Char('[') + codes.join(QLatin1Char(',')) + QLatin1Char(']')};
    }
    case Kind::AllRecords:
        break;
    }
    return {};
}

} // namespace kestrune::check
