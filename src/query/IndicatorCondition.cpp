#include "IndicatorCondition.h"

#include "shell/RecordSearch.h"
#include "shell/SurveyTerms.h"

#include <QRegularExpression>
#include <optional>

namespace kestrune::query {

const shell::TMenuItemDataArray& QueryOperators() {
    return shell::RangeOperators();
}

namespace {

QString OperatorText(int code) {
    return shell::CodeToName(QueryOperators(), code);
}

bool IsFieldName(const QString& field) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return name.match(field).hasMatch();
}

bool IsDigits(const QString& number) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(number).hasMatch();
}

// Up to 18 digits as an exact integer, longer numbers as a real.
QVariant BoundNumber(const QString& digits) {
    bool exact = false;
    const qlonglong whole = digits.toLongLong(&exact);
    return exact ? QVariant(whole) : QVariant(digits.toDouble());
}

struct Comparison {
    int op;
    QString number;
    ConditionBox box;
};

std::optional<ConditionRefusal> refuseIncomplete(const Comparison& first,
                                                 const Comparison& second) {
    const bool firstGiven = first.op != kNoOperator || !first.number.isEmpty();
    if (!firstGiven)
        return ConditionRefusal{kSecondWithoutFirst, ConditionBox::FirstNumber};
    if (first.op == kNoOperator)
        return ConditionRefusal{kFirstNumberNeedsOperator, ConditionBox::FirstNumber};
    if (first.number.isEmpty())
        return ConditionRefusal{kFirstOperatorNeedsNumber, ConditionBox::FirstNumber};
    if (second.op != kNoOperator && second.number.isEmpty())
        return ConditionRefusal{kSecondOperatorNeedsNumber, ConditionBox::SecondNumber};
    if (second.op == kNoOperator && !second.number.isEmpty())
        return ConditionRefusal{kSecondNumberNeedsOperator, ConditionBox::SecondNumber};
    for (const Comparison* c : {&first, &second})
        if (!c->number.isEmpty() && !IsDigits(c->number))
            return ConditionRefusal{kNumberNotDigits, c->box};
    return std::nullopt;
}

} // namespace

std::variant<IndicatorCondition, ConditionRefusal>
BuildIndicatorCondition(const IndicatorRange& range) {
    const QString field = range.field.trimmed();
    if (field.isEmpty() || !IsFieldName(field))
        return ConditionRefusal{kChooseIndicator, ConditionBox::Indicator};
    const Comparison first{range.firstOperator, range.firstNumber.trimmed(),
                           ConditionBox::FirstNumber};
    const Comparison second{range.secondOperator, range.secondNumber.trimmed(),
                            ConditionBox::SecondNumber};
    if (first.number.isEmpty() && second.number.isEmpty())
        return ConditionRefusal{kNeedOneNumber, ConditionBox::FirstNumber};
    if (field.compare(shell::kUnitCodeField, Qt::CaseInsensitive) == 0) {
        // Unit codes are compared whole: a shorter number finds nothing sensible.
        for (const Comparison* c : {&first, &second})
            if (!c->number.isEmpty() && c->number.size() != 12)
                return ConditionRefusal{kUnitCodeNeeds12Digits, c->box};
    }
    if (auto refusal = refuseIncomplete(first, second))
        return *refusal;

    IndicatorCondition condition;
    QString statement = QStringLiteral("where ");
    QString text = statement;
    statement += field + OperatorText(first.op) + QLatin1Char('?');
    text += field + OperatorText(first.op) + first.number;
    condition.statement.values << BoundNumber(first.number);
    if (second.op != kNoOperator) {
        const QString join = QStringLiteral(" and ") + field + OperatorText(second.op);
        statement += join + QLatin1Char('?');
        text += join + second.number;
        condition.statement.values << BoundNumber(second.number);
    }
    condition.statement.text = statement;
    condition.text = text;
    return condition;
}

} // namespace kestrune::query
