#pragma once

#include "shell/CodeList.h"
#include "shell/QueryResults.h"

#include <QString>
#include <variant>

namespace kestrune::query {

inline const QString kChooseIndicator = QStringLiteral("请选择指标");
inline const QString kNeedOneNumber = QStringLiteral("请至少输入一个条件");
inline const QString kUnitCodeNeeds12Digits = QStringLiteral("c901必须为12位");
// Conditions the database would reject, refused before they are run.
inline const QString kFirstNumberNeedsOperator = QStringLiteral("请为第一个数值选择比较符");
inline const QString kSecondNumberNeedsOperator = QStringLiteral("请为第二个数值选择比较符");
inline const QString kFirstOperatorNeedsNumber = QStringLiteral("请输入第一个比较符后的数值");
inline const QString kSecondOperatorNeedsNumber = QStringLiteral("请输入第二个比较符后的数值");
inline const QString kSecondWithoutFirst = QStringLiteral("请先输入第一个条件，再输入第二个条件");
inline const QString kNumberNotDigits = QStringLiteral("数值只能由数字0到9组成");

inline constexpr int kNoOperator = -1;

// The comparisons a condition offers: 1 "=", 2 ">", 3 "<", 4 ">=", 5 "<=".
const shell::TMenuItemDataArray& QueryOperators();

// What the condition dialog holds: an indicator (a dt_data column) and up to
// two comparisons, each an operator code (kNoOperator while none is chosen)
// and the number typed.
struct IndicatorRange {
    QString field;
    int firstOperator = kNoOperator;
    QString firstNumber;
    int secondOperator = kNoOperator;
    QString secondNumber;
};

// The box a refusal sends the person back to.
enum class ConditionBox { Indicator, FirstNumber, SecondNumber };

struct ConditionRefusal {
    QString message;
    ConditionBox box;
};

// A condition the result list can run: "where z001>=? and z001<=?" with the
// numbers as bound values, and the same condition as the person reads it,
// "where z001>=5 and z001<=10".
struct IndicatorCondition {
    shell::ResultCondition statement;
    QString text;
};

// The search's checks in their order, then the condition. Refused: no
// indicator, no number, a c901 number that is not 12 digits long, a number
// without its operator, an operator without its number, and a second
// comparison without a first.
std::variant<IndicatorCondition, ConditionRefusal>
BuildIndicatorCondition(const IndicatorRange& range);

} // namespace kestrune::query
