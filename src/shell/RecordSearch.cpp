#include "RecordSearch.h"

#include "RecordList.h"
#include "schema/Connection.h"

namespace kestrune::shell {

LocateResult LocateByCode(RecordList& list, const QString& codeText) {
    if (codeText.size() != 12)
        return LocateResult::WrongLength;
    const int row = list.rowOfCode(codeText.toDouble());
    if (row < 0)
        return LocateResult::NotFound;
    list.setCurrentRow(row);
    return LocateResult::Found;
}

LocateResult LocateByName(RecordList& list, db::Connection& connection, const QString& name) {
    const QVariant code =
        connection.scalar(QStringLiteral("select c901 from dt_data where c902 like ?"),
                          {QStringLiteral("%") + name.trimmed() + QStringLiteral("%")});
    if (code.isNull())
        return LocateResult::NotFound;
    const int row = list.rowOfCode(code.toDouble());
    if (row < 0)
        return LocateResult::NotFound;
    list.setCurrentRow(row);
    return LocateResult::Found;
}

QString LocateMessage(LocateResult result) {
    switch (result) {
    case LocateResult::WrongLength:
        return kCodeNeeds12Digits;
    case LocateResult::NotFound:
        return kNothingFound;
    case LocateResult::Found:
        break;
    }
    return QString();
}

const TMenuItemDataArray& RangeOperators() {
    static const TMenuItemDataArray operators = {
        {1, QStringLiteral("=")},  {2, QStringLiteral(">")},  {3, QStringLiteral("<")},
        {4, QStringLiteral(">=")}, {5, QStringLiteral("<=")},
    };
    return operators;
}

const TMenuItemDataArray& RangeConjunctions() {
    static const TMenuItemDataArray conjunctions = {{1, QStringLiteral("和")},
                                                    {2, QStringLiteral("或")}};
    return conjunctions;
}

namespace {

QString shortestNumber(const QString& digits) {
    return QString::number(digits.trimmed().toDouble(), 'g', 17);
}

QString comparison(int op, const QString& number) {
    return QStringLiteral("c901") + CodeToName(RangeOperators(), op) + shortestNumber(number);
}

} // namespace

std::optional<QString> NumberRangeCondition(const QString& first, int firstOperator,
                                            int conjunction, const QString& second,
                                            int secondOperator) {
    const bool hasFirst = !first.trimmed().isEmpty();
    const bool hasSecond = !second.trimmed().isEmpty();
    if (!hasFirst && !hasSecond)
        return std::nullopt;
    if (!hasFirst)
        return QStringLiteral("where ") + comparison(secondOperator, second);
    QString condition = QStringLiteral("where ") + comparison(firstOperator, first);
    if (hasSecond)
        condition += (conjunction == 2 ? QStringLiteral(" OR ") : QStringLiteral(" AND ")) +
                     comparison(secondOperator, second);
    return condition;
}

} // namespace kestrune::shell
