#include "CheckDatabase.h"
#include "check/RuleExplainer.h"
#include "check/RuleTable.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::check;
using kestrune::testing::CheckDatabase;
using kestrune::testing::ScriptedInteraction;

namespace {

class ExplainRuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QList<std::pair<QString, QString>> captions = {
            {"z001", "专职干部"}, {"z003", "兼职干部"}, {"c904", "层次"}, {"x001", "干部数"},
            {"d009", "女干部"},   {"d011", "少数民族"}, {"d012", "班子"}, {"f008", "仲裁"},
            {"f009", "案件"},     {"f010", "结案"},     {"b009", "会员"}, {"b020", "培训"},
            {"s005", "审查"}};
        for (const auto& [field, caption] : captions)
            database.setCaption(field, caption);
    }

    QString explain(QStringView text) { return explainer.ExplainRule(text); }

    CheckDatabase database;
    RuleExplainer explainer{database.connection(), database.ui};
};

TEST_F(ExplainRuleTest, NamesBecomeCaptionsAndBracketedMarksWords) {
    EXPECT_EQ(explain(u"z001 + z003 [>] 0"), "[专职干部] + [兼职干部] 必须大于 0");
    EXPECT_EQ(explain(u"z001[<=]z003"), "[专职干部]不能大于[兼职干部]");
    EXPECT_EQ(explain(u"x001 [>=] z001"), "[干部数] 不能小于 [专职干部]");
    EXPECT_EQ(explain(u"x001[=]z001"), "[干部数]必须等于[专职干部]");
    EXPECT_EQ(explain(u"x001[<]z001"), "[干部数]必须小于[专职干部]");
    // "<>", "and" and "or" stay as they are, so do unbracketed marks.
    EXPECT_EQ(explain(builtInRules()[41].explanation),
              "([仲裁] 必须等于 1 and [案件] 必须大于 0) or ([仲裁] <> 1 and [案件] 必须等于 0 "
              "and [结案] 必须等于 0)");
    EXPECT_EQ(explain(builtInRules()[77].explanation),
              "如果[层次]<=3，那么[干部数]+[女干部]+[少数民族]不能大于[班子]");
    EXPECT_EQ(explain(builtInRules()[32].explanation), "[培训]>=[会员]");
    EXPECT_EQ(explain(builtInRules()[6].explanation),
              "[层次]必须小于4 and [干部数]必须大于0)or [层次] 必须大于3");
    EXPECT_TRUE(database.ui.messages.empty());
}

TEST_F(ExplainRuleTest, WhatTheCatalogueLacksStaysAsWritten) {
    EXPECT_EQ(explain(u"q999 [>] 0"), "q999 必须大于 0");
    EXPECT_EQ(explain(u"如果不是s005"), "如果不是[审查]");
    // A mark that ends the text still closes; digits in plain text pass through.
    EXPECT_EQ(explain(u"20[>="), "20不能小于");
    EXPECT_EQ(explain(u"[z001+z003]"), "[专职干部]+[兼职干部]");
    EXPECT_EQ(explain(u"(z001)"), "([专职干部])");
    EXPECT_EQ(explainer.TranslateToken(u"<>"), "<>");
    EXPECT_EQ(explainer.TranslateToken(u"and"), "and");
    EXPECT_EQ(explainer.TranslateToken(u"or"), "or");
    EXPECT_EQ(explainer.TranslateToken(u"Z001"), "Z001"); // the lookup is exact
    EXPECT_EQ(explainer.TranslateToken(u"[<=]"), "不能大于");
    EXPECT_EQ(explainer.TranslateToken(u"[z001]"), "[专职干部]");
}

TEST_F(ExplainRuleTest, TheCatalogueIsReadOnceUntilReloaded) {
    EXPECT_EQ(explain(u"z001"), "[专职干部]");
    database.setCaption("z001", "专职工会干部");
    EXPECT_EQ(explain(u"z001"), "[专职干部]");
    explainer.reloadCatalogue();
    EXPECT_EQ(explain(u"z001"), "[专职工会干部]");
}

TEST(ExplainRuleFailureTest, AnUnreadableCatalogueIsReportedAndTheNameKept) {
    QTemporaryDir folder;
    const QString path = folder.filePath("empty.mdb");
    db::createDatabase(path);
    db::Connection connection;
    connection.open(path);
    ScriptedInteraction ui;
    RuleExplainer explainer(connection, ui);
    EXPECT_EQ(explainer.ExplainRule(u"z001 [>] 0"), "z001 必须大于 0");
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"运行中发生错误：no such table: DT_FieldList,当前的Key为z001"});
}

} // namespace
