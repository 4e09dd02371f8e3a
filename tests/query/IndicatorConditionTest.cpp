#include "query/IndicatorCondition.h"

#include <gtest/gtest.h>

using namespace kestrune::query;

namespace {

constexpr int kEqual = 1;
constexpr int kGreater = 2;
constexpr int kLess = 3;
constexpr int kAtLeast = 4;
constexpr int kAtMost = 5;

IndicatorCondition accepted(const IndicatorRange& range) {
    const auto built = BuildIndicatorCondition(range);
    if (const auto* refusal = std::get_if<ConditionRefusal>(&built)) {
        ADD_FAILURE() << "refused: " << refusal->message.toStdString();
        return {};
    }
    return std::get<IndicatorCondition>(built);
}

ConditionRefusal refused(const IndicatorRange& range) {
    const auto built = BuildIndicatorCondition(range);
    if (!std::holds_alternative<ConditionRefusal>(built)) {
        ADD_FAILURE() << "accepted: " << std::get<IndicatorCondition>(built).text.toStdString();
        return {};
    }
    return std::get<ConditionRefusal>(built);
}

TEST(IndicatorConditionTest, NumbersAreBoundAndTheTextReadsAsTyped) {
    const IndicatorCondition both = accepted({"z001", kAtLeast, "5", kAtMost, "10"});
    EXPECT_EQ(both.text, "where z001>=5 and z001<=10");
    EXPECT_EQ(both.statement.text, "where z001>=? and z001<=?");
    EXPECT_EQ(both.statement.values, (QVariantList{5LL, 10LL}));

    const IndicatorCondition one = accepted({" y005 ", kGreater, " 0 ", kNoOperator, ""});
    EXPECT_EQ(one.text, "where y005>0");
    EXPECT_EQ(one.statement.text, "where y005>?");
    EXPECT_EQ(one.statement.values, QVariantList{0LL});

    const IndicatorCondition code =
        accepted({"c901", kEqual, "130102000001", kLess, "130102000009"});
    EXPECT_EQ(code.statement.text, "where c901=? and c901<?");
    EXPECT_EQ(code.statement.values, (QVariantList{130102000001LL, 130102000009LL}));
}

TEST(IndicatorConditionTest, TheSearchsOwnChecksComeFirstInTheirOrder) {
    const ConditionRefusal noField = refused({"", kGreater, "1", kNoOperator, ""});
    EXPECT_EQ(noField.message, "请选择指标");
    EXPECT_EQ(noField.box, ConditionBox::Indicator);
    // Only a column name can stand in the statement.
    EXPECT_EQ(refused({"z001;drop table dt_data", kGreater, "1", kNoOperator, ""}).message,
              "请选择指标");

    const ConditionRefusal noNumber = refused({"z001", kGreater, "  ", kLess, ""});
    EXPECT_EQ(noNumber.message, "请至少输入一个条件");
    EXPECT_EQ(noNumber.box, ConditionBox::FirstNumber);

    const ConditionRefusal shortFirst = refused({"c901", kEqual, "13010200000", kNoOperator, ""});
    EXPECT_EQ(shortFirst.message, "c901必须为12位");
    EXPECT_EQ(shortFirst.box, ConditionBox::FirstNumber);
    const ConditionRefusal longSecond =
        refused({"c901", kGreater, "130102000001", kLess, "1301020000099"});
    EXPECT_EQ(longSecond.message, "c901必须为12位");
    EXPECT_EQ(longSecond.box, ConditionBox::SecondNumber);
    // Other indicators take numbers of any length.
    EXPECT_EQ(accepted({"z001", kEqual, "13010200000", kNoOperator, ""}).text,
              "where z001=13010200000");
}

TEST(IndicatorConditionTest, ConditionsTheDatabaseWouldRejectAreRefused) {
    const ConditionRefusal numberWithoutOperator =
        refused({"z001", kNoOperator, "5", kNoOperator, ""});
    EXPECT_EQ(numberWithoutOperator.message, "请为第一个数值选择比较符");
    EXPECT_EQ(numberWithoutOperator.box, ConditionBox::FirstNumber);

    const ConditionRefusal secondWithoutOperator =
        refused({"z001", kGreater, "5", kNoOperator, "9"});
    EXPECT_EQ(secondWithoutOperator.message, "请为第二个数值选择比较符");
    EXPECT_EQ(secondWithoutOperator.box, ConditionBox::SecondNumber);

    const ConditionRefusal operatorWithoutNumber = refused({"z001", kGreater, "5", kLess, " "});
    EXPECT_EQ(operatorWithoutNumber.message, "请输入第二个比较符后的数值");
    EXPECT_EQ(operatorWithoutNumber.box, ConditionBox::SecondNumber);

    const ConditionRefusal firstOperatorAlone = refused({"z001", kGreater, "", kLess, "9"});
    EXPECT_EQ(firstOperatorAlone.message, "请输入第一个比较符后的数值");
    EXPECT_EQ(firstOperatorAlone.box, ConditionBox::FirstNumber);

    const ConditionRefusal secondAlone = refused({"z001", kNoOperator, "", kLess, "9"});
    EXPECT_EQ(secondAlone.message, "请先输入第一个条件，再输入第二个条件");
    EXPECT_EQ(secondAlone.box, ConditionBox::FirstNumber);

    const ConditionRefusal notDigits = refused({"z001", kGreater, "1e3", kNoOperator, ""});
    EXPECT_EQ(notDigits.message, "数值只能由数字0到9组成");
    EXPECT_EQ(notDigits.box, ConditionBox::FirstNumber);
}

} // namespace
