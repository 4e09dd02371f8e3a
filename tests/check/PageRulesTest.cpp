#include "check/PageRules.h"

#include "check/RuleExplainer.h"
#include "check/ui/MessageListWinForm.h"
#include "schema/Connection.h"
#include "support/StartedSession.h"

#include <QMap>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::check;
using kestrune::testing::StartedSessionTest;

namespace {

BoxValue valuesFrom(const QMap<QString, double>& values, const QStringList& boxes = {}) {
    return [values, boxes](const QString& name) -> std::optional<double> {
        if (values.contains(name))
            return values.value(name);
        if (boxes.isEmpty() || boxes.contains(name))
            return 0; // an empty box reads as 0
        return std::nullopt;
    };
}

TEST(SubstituteValuesTest, NamesBecomeValuesKeywordsStay) {
    const auto s = SubstituteValues("z002 > z001 and (x001+x003)*2 <= 10 Or NOT b012>0.5",
                                    valuesFrom({{"z002", 7}, {"z001", 3}, {"x001", 1}}));
    EXPECT_EQ(s.text, "? > ? and (?+?)*2 <= 10 Or NOT ?>0.5");
    EXPECT_EQ(s.values, (QVariantList{7.0, 3.0, 1.0, 0.0, 0.0}));
    EXPECT_TRUE(s.unknownNames.isEmpty());
    const auto unknown = SubstituteValues("q1 >= z001", valuesFrom({}, {"z001"}));
    EXPECT_EQ(unknown.text, " >= ?");
    EXPECT_EQ(unknown.unknownNames, QStringList{"q1"});
}

class PageRulesTest : public StartedSessionTest {
protected:
    PageRuleCheck checker(const QMap<QString, double>& values) {
        return PageRuleCheck(connection(), explainer, ui, list, valuesFrom(values));
    }

    RuleExplainer explainer{connection(), ui};
    LogicErrorList list;
};

TEST_F(PageRulesTest, PagesOutsideTheFormChangeNothing) {
    list.add({"r", "e", "z001", 1});
    auto check = checker({});
    EXPECT_FALSE(check.CheckPage(0, true));
    EXPECT_FALSE(check.CheckPage(15, true));
    EXPECT_EQ(list.messages().size(), 1u);
}

TEST_F(PageRulesTest, ABrokenRuleBecomesAMessageWithItsTranslatedExplanation) {
    auto check = checker({{"c904", 4}, {"z001", 1}, {"z002", 5}});
    EXPECT_FALSE(check.CheckPage(1, true));
    ASSERT_EQ(list.messages().size(), 1u);
    const LogicMessage& m = list.messages()[0];
    EXPECT_EQ(m.focus, "z002");
    EXPECT_EQ(m.page, 1);
    EXPECT_EQ(m.rule, "z002不能大于z001");
    EXPECT_FALSE(m.explanation.contains("[<=]"));
    EXPECT_TRUE(check.CheckPage(2, true));
}

TEST_F(PageRulesTest, DecimalAmountsCountWithTheirFractions) {
    // 1.4 is more than 1, though both round to 1.
    auto check = checker({{"c904", 3}, {"b013", 1}, {"b014", 1.4}});
    check.CheckPage(3, true);
    for (const LogicMessage& m : list.messages())
        EXPECT_NE(m.focus, "b013") << m.rule.toStdString();
    // A value no statement text could spell is still compared.
    auto infinite = checker({{"c904", 3}, {"b013", 1}, {"b014", qInf()}});
    infinite.CheckPage(3, true);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageRulesTest, AllPagesCollectTheirMessagesInPageOrder) {
    // A county union with nothing filled breaks the rules that need answers.
    auto check = checker({{"c904", 3}});
    EXPECT_FALSE(check.CheckAllPages());
    std::vector<int> pages;
    for (const LogicMessage& m : list.messages())
        pages.push_back(m.page);
    EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
    EXPECT_EQ(pages.front(), 1);
    EXPECT_GE(list.messages().size(), 5u);
    auto clean = checker({{"c904", 4}, {"z001", 1}});
    EXPECT_TRUE(clean.CheckAllPages()); // cleared before page 1
}

TEST_F(PageRulesTest, AnExpressionTheEngineRefusesIsShownAndEndsThePage) {
    connection().execute("insert into dt_logic (page_id, expression, rule, explain, focus) values "
                         "(13, 'y001 >', 'bad', 'y001', 'y001')");
    auto check = checker({});
    check.CheckPage(13, true);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "y001 >");
}

TEST_F(PageRulesTest, TheListWindowShowsTheMessagesAndLeadsToTheirBox) {
    TMessageListWinForm window(list);
    auto check = checker({{"c904", 4}, {"z001", 1}, {"z002", 5}});
    check.CheckPage(1, true);
    window.refresh();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "逻辑错误列表");
    ASSERT_EQ(window.grid()->rowCount(), 1);
    EXPECT_EQ(window.grid()->item(0, 0)->text(), "z002不能大于z001");
    EXPECT_EQ(window.grid()->item(0, 2)->text(), "1");
    EXPECT_EQ(window.grid()->item(0, 3)->text(), "z002");
    int page = -1;
    QString field;
    window.setGoTo([&](int p, const QString& f) {
        page = p;
        field = f;
    });
    window.goToRow(0);
    EXPECT_EQ(page, 1);
    EXPECT_EQ(field, "z002");
    list.clear();
    window.refresh();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
