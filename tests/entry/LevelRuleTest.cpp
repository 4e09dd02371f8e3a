#include "entry/LevelRule.h"

#include <gtest/gtest.h>

using kestrune::entry::LevelRuleHolds;
using kestrune::entry::ParseLevelRule;

TEST(LevelRuleTest, ListFormTakesTheNumbersBetweenTheBrackets) {
    EXPECT_TRUE(LevelRuleHolds(2, "in [1,2,3]"));
    EXPECT_FALSE(LevelRuleHolds(4, "in [1,2,3]"));
    EXPECT_TRUE(LevelRuleHolds(3, "  in [ 1 2 ,3 ] "));
    EXPECT_TRUE(LevelRuleHolds(0, "in [0]"));
    EXPECT_TRUE(LevelRuleHolds(255, "in [255]"));
    EXPECT_FALSE(LevelRuleHolds(256, "in [256]")); // above 255 never holds
    EXPECT_FALSE(LevelRuleHolds(7, "in []"));
    EXPECT_FALSE(LevelRuleHolds(1, "in 1,2"));
    // Items that are no level are ignored; "in" anywhere selects this form.
    const auto rule = ParseLevelRule("within [1, x, 300, 4]");
    EXPECT_EQ(rule.codes, (std::set<int>{1, 4}));
    EXPECT_EQ(rule.ignoredItems, 2);
    EXPECT_TRUE(LevelRuleHolds(4, "within [1, x, 300, 4]"));
}

TEST(LevelRuleTest, ListWithAnItemAboveTheLevels) {
    for (int level = 0; level <= 300; ++level)
        EXPECT_EQ(LevelRuleHolds(level, "in [1, 3,300]"), level == 1 || level == 3) << level;
    for (int level = 0; level <= 10; ++level) {
        EXPECT_EQ(LevelRuleHolds(level, "<>4"), level != 4) << level;
        EXPECT_FALSE(LevelRuleHolds(level, "=>2")) << level;
    }
}

TEST(LevelRuleTest, OperatorFormComparesTheLevel) {
    EXPECT_TRUE(LevelRuleHolds(3, ">=3"));
    EXPECT_FALSE(LevelRuleHolds(2, ">=3"));
    EXPECT_TRUE(LevelRuleHolds(4, "> 3"));
    EXPECT_TRUE(LevelRuleHolds(3, "=3"));
    EXPECT_TRUE(LevelRuleHolds(2, "<3"));
    EXPECT_TRUE(LevelRuleHolds(3, "<=3"));
    EXPECT_TRUE(LevelRuleHolds(5, "<>3"));
    EXPECT_FALSE(LevelRuleHolds(3, "<>3"));
    EXPECT_FALSE(LevelRuleHolds(3, "=>2"));
    EXPECT_FALSE(LevelRuleHolds(3, "==3"));
    EXPECT_FALSE(LevelRuleHolds(3, ">=x"));
}
