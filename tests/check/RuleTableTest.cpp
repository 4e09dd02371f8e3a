#include "check/RuleTable.h"

#include "check/CompiledCondition.h"
#include "check/ConditionSyntaxError.h"
#include "check/RuleSet.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace kestrune::check;

namespace {

// The number is the order of evaluation and names the rule in reports.
TEST(RuleTableTest, NinetySixRulesNumberedInTheirOrder) {
    const auto rules = builtInRules();
    ASSERT_EQ(rules.size(), 96u);
    for (size_t i = 0; i < rules.size(); ++i)
        EXPECT_EQ(rules[i].number, int(i + 1));
}

TEST(RuleTableTest, TextsKeepTheirOwnSpacingAndWording) {
    const auto rules = builtInRules();
    EXPECT_EQ(rules[6].expression, u"(c904<4 and x001>0)or c904 >3");
    EXPECT_EQ(rules[6].explanation, u"c904[<]4 and x001[>]0)or c904 [>]3");
    EXPECT_TRUE(rules[11].expression.contains(u"x007<>1) or  (x004<>1 and x005=1"));
    EXPECT_TRUE(rules[49].expression.endsWith(u"or  l004 > 0"));
    EXPECT_TRUE(rules[59].expression.endsWith(u"s018 <> 1 and  s019 <> 1 and  s020 <> 1)"));
    EXPECT_EQ(rules[61].expression, u"(s012+s013=0 ) or (s012*s013>0 and s013>s012)");
    EXPECT_EQ(rules[61].explanation, u"(s013+s014[=]0 ) or (s013*s014[>]0 and s014[>]s013)");
    // Two rules explain themselves by their own expression.
    EXPECT_EQ(rules[32].explanation, rules[32].expression);
    EXPECT_EQ(rules[63].explanation, rules[63].expression);
}

TEST(RuleTableTest, EveryExpressionCompiles) {
    for (const LogicRule& rule : builtInRules()) {
        FieldSlots fields;
        try {
            CompiledCondition::compile(rule.expression, fields);
        } catch (const ConditionSyntaxError& e) {
            ADD_FAILURE() << "rule " << rule.number << " at " << e.position() << ": "
                          << e.text().toStdString();
        }
    }
    // The built-in set reads each named field once: 162 survey fields and c904.
    const FieldSlots& fields = RuleSet::builtIn().fields();
    EXPECT_EQ(fields.size(), 163);
    EXPECT_GE(fields.find("c904"), 0);
    EXPECT_TRUE(fields.isRealValued(fields.find("b012")));
    EXPECT_FALSE(fields.isRealValued(fields.find("b011")));
    EXPECT_EQ(fields.find("c901"), -1);
}

TEST(RuleTableTest, MalformedConditionsAreRefused) {
    const struct {
        const char16_t* text;
        int position;
    } cases[] = {
        {u"z001 <", 6},                // nothing to compare with
        {u"z001 < z002 < z003", 0},    // a comparison is no number
        {u"(z001 > 0", 9},             // unclosed
        {u"z001 > 0)", 8},             // unopened
        {u"z001 and z002 > 0", 0},     // "and" joins comparisons only
        {u"z001 + (z002 > 0) > 1", 7}, // a comparison is no summand
        {u"z001 + z002", 0},           // no comparison at all
        {u"x01 > 0", 0},               // not a field name
        {u"not z001 > 0", 0},          // no negation in the rules' language
        {u"z001 - z002 > 0", 5},       // no subtraction either
        {u"z001 > 'a'", 7},
    };
    for (const auto& c : cases) {
        FieldSlots fields;
        try {
            CompiledCondition::compile(c.text, fields);
            ADD_FAILURE() << "accepted: " << QStringView(c.text).toString().toStdString();
        } catch (const ConditionSyntaxError& e) {
            EXPECT_EQ(e.position(), c.position) << QStringView(c.text).toString().toStdString();
        }
    }
}

class ConditionTest : public ::testing::Test {
protected:
    bool holds(const char16_t* text, const QVariantMap& stored) {
        FieldSlots fields;
        const CompiledCondition condition = CompiledCondition::compile(text, fields);
        RecordValues values(fields);
        for (auto it = stored.begin(); it != stored.end(); ++it)
            values.set(it.key(), it.value());
        return condition.holds(values);
    }
};

TEST_F(ConditionTest, AndBindsTighterThanOrAndParenthesesGroup) {
    // Read left to right, the first would be false: (true or false) and false.
    EXPECT_TRUE(holds(u"z001=1 or z002=1 and z003=1", {{"z001", 1}}));
    EXPECT_FALSE(holds(u"(z001=1 or z002=1) and z003=1", {{"z001", 1}}));
    EXPECT_FALSE(holds(u"z001=1 or z002=1 and z003=1", {{"z002", 1}}));
    EXPECT_TRUE(holds(u"z001=0 and z002=0 or z003=5", {{"z003", 5}}));
    EXPECT_TRUE(holds(u"((z001=0))and(z002=0)", {}));
}

TEST_F(ConditionTest, ArithmeticIsExactInSixtyFourBits) {
    EXPECT_TRUE(holds(u"z001+z002*z003=7", {{"z001", 1}, {"z002", 2}, {"z003", 3}}));
    EXPECT_TRUE(holds(u"(n001+n002)*2<=z001", {{"n001", 1}, {"n002", 2}, {"z001", 6}}));
    // 2^53 + 1 is lost in a double but not in 64-bit whole numbers.
    EXPECT_TRUE(holds(u"z001+1>z001", {{"z001", qint64(1) << 53}}));
    EXPECT_TRUE(holds(u"x001*x003=2500000000", {{"x001", 50000}, {"x003", 50000}}));
    // A product beyond 64 bits keeps its sign instead of wrapping round.
    EXPECT_TRUE(holds(u"x001*x003>0", {{"x001", 5000000000.0}, {"x003", 5000000000.0}}));
    EXPECT_TRUE(holds(u"x001*x003>0", {{"x001", qint64(1) << 62}, {"x003", 4}}));
    EXPECT_TRUE(holds(u"x001*x003<0", {{"x001", qint64(1) << 62}, {"x003", -4}}));
}

TEST_F(ConditionTest, FieldsAreReadAsTheirKindWithEmptyAsZero) {
    // Real-valued fields keep their fraction and compare on real values.
    EXPECT_TRUE(holds(u"b012>b011", {{"b011", 1}, {"b012", 1.5}}));
    EXPECT_FALSE(holds(u"b011*b012>0", {{"b011", 0}, {"b012", 0.5}}));
    EXPECT_TRUE(holds(u"b011+b012=0.5", {{"b012", 0.5}}));
    // Whole-number fields are rounded half away from zero, like the database layer.
    EXPECT_TRUE(holds(u"z001=3 and z002=2", {{"z001", 2.5}, {"z002", 2.4}}));
    EXPECT_TRUE(holds(u"z001=0 and z002=0", {{"z001", QVariant()}, {"z002", ""}}));
    EXPECT_TRUE(holds(u"z001=12", {{"z001", " 12 "}}));
    // Upper-case names and words read as their lower-case selves.
    EXPECT_TRUE(holds(u"Z001=1 AND z002=0 Or z003=9", {{"z001", 1}}));
}

} // namespace
