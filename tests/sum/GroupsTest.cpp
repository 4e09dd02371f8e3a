#include "sum/Groups.h"

#include "SumDatabase.h"
#include "schema/Connection.h"
#include "sum/GroupOrder.h"

using namespace kestrune;
using kestrune::testing::SumDatabase;

namespace {

TEST(GroupOrderTest, OnlyAColumnOfTheViewAndADirectionAreUsed) {
    EXPECT_EQ(sum::SafeItemOrder("id ASC"), "id ASC");
    EXPECT_EQ(sum::SafeItemOrder("title desc"), "Title DESC");
    EXPECT_EQ(sum::SafeItemOrder("  LowValue   ASC "), "LowValue ASC");
    EXPECT_EQ(sum::SafeItemOrder(""), "id ASC");
    EXPECT_EQ(sum::SafeItemOrder("Title"), "id ASC");
    EXPECT_EQ(sum::SafeItemOrder("c901 DESC"), "id ASC");
    EXPECT_EQ(sum::SafeItemOrder("Title DESC; drop table dt_data"), "id ASC");
    EXPECT_EQ(sum::SafeItemOrder("(select 1) ASC"), "id ASC");
}

class GroupsTest : public SumDatabase {
protected:
    qint64 groupCount() {
        return connection().scalar("select count(*) from ct_group").toLongLong();
    }
};

TEST_F(GroupsTest, AddingAsksForANameUntilOneIsGivenAndCancelChangesNothing) {
    ui.inputAnswers = {std::nullopt};
    EXPECT_FALSE(sum::AddGroup(connection(), ui));
    EXPECT_EQ(groupCount(), 0);

    ui.inputAnswers = {QString(), QString(), QString("按地区")};
    const std::optional<qint64> id = sum::AddGroup(connection(), ui);
    ASSERT_TRUE(id);
    EXPECT_TRUE(ui.inputAnswers.empty());
    const auto groups = sum::ReadGroups(connection());
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].id, *id);
    EXPECT_EQ(groups[0].name, "按地区");
    EXPECT_EQ(groups[0].order, "id ASC");
}

TEST_F(GroupsTest, RemovingAsksAndRemovesOnlyTheGroupRow) {
    const qint64 id = addGroup("甲", "id ASC", {{"一", ">=", 1, "<", 5}});
    addGroup("乙", "id ASC", {});
    ui.confirmAnswers = {false, true};
    EXPECT_FALSE(sum::RemoveGroup(connection(), ui, id));
    EXPECT_EQ(groupCount(), 2);
    EXPECT_TRUE(sum::RemoveGroup(connection(), ui, id));
    EXPECT_EQ(ui.confirmations,
              QStringList({"数据将被彻底删除，确认么？", "数据将被彻底删除，确认么？"}));
    EXPECT_EQ(groupCount(), 1);
    EXPECT_EQ(connection().scalar("select count(*) from DT_GroupItem").toInt(), 1);
}

TEST_F(GroupsTest, ItemChecksRefuseAnEmptyNameAndBoundsOutOfOrder) {
    const qint64 id = addGroup("甲", "id ASC", {});
    sum::GroupItemEditor editor(connection(), id);
    sum::GroupItemEdits edits{"", 2, 100, 1, 200};
    EXPECT_FALSE(sum::GroupItemEditor::EditsComplete(edits));
    EXPECT_FALSE(editor.add(edits, ui));
    edits = {"北京", 2, 200, 1, 200};
    EXPECT_FALSE(sum::GroupItemEditor::EditsComplete(edits));
    EXPECT_FALSE(editor.add(edits, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList({"必须输入本组数据的名称！", "上限必须大于下限！"}));
    EXPECT_TRUE(editor.rows().empty());

    edits = {"北京", 2, 110000000000, 1, 120000000000};
    EXPECT_TRUE(sum::GroupItemEditor::EditsComplete(edits));
    EXPECT_TRUE(editor.add(edits, ui));
    ASSERT_EQ(editor.rows().size(), 1u);
    EXPECT_EQ(editor.rows()[0].lowValue, ">=110000000000");
    EXPECT_EQ(editor.rows()[0].highValue, "<120000000000");
    edits = {"北京市", 1, 110000000000, 2, 119999999999};
    EXPECT_TRUE(editor.change(0, edits, ui));
    EXPECT_EQ(editor.rows()[0].title, "北京市");
    EXPECT_EQ(editor.rows()[0].lowValue, ">110000000000");
    EXPECT_EQ(editor.rows()[0].highValue, "<=119999999999");
    ui.confirmAnswers = {true};
    EXPECT_TRUE(editor.remove(0, ui));
    EXPECT_TRUE(editor.rows().empty());
}

TEST_F(GroupsTest, TitleClicksSortDescendingThenAscendingAndStoreTheOrder) {
    const qint64 id =
        addGroup("甲", "id ASC",
                 {{"b", ">=", 20, "<", 30}, {"a", ">=", 10, "<", 20}, {"c", ">=", 30, "<", 40}});
    sum::GroupItemEditor editor(connection(), id);
    auto titles = [&] {
        QStringList t;
        for (const auto& row : editor.rows())
            t << row.title;
        return t;
    };
    EXPECT_EQ(titles(), QStringList({"b", "a", "c"}));
    auto stored = [&] {
        return connection().scalar("select orderstr from ct_group where id=?", {id}).toString();
    };
    editor.sortBy(1); // 编号下限
    EXPECT_EQ(stored(), "LowValue DESC");
    EXPECT_EQ(titles(), QStringList({"c", "b", "a"}));
    EXPECT_EQ(editor.columnTitle(1), "编号下限▼");
    editor.sortBy(1);
    EXPECT_EQ(stored(), "LowValue ASC");
    EXPECT_EQ(titles(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(editor.columnTitle(1), "编号下限▲");
    editor.sortBy(0);
    EXPECT_EQ(stored(), "Title DESC");
    EXPECT_EQ(editor.columnTitle(0), "数据项目名称▼");
    EXPECT_EQ(editor.columnTitle(1), "编号下限");
    // The summation lists the items in the stored order.
    const auto items = sum::ReadGroupItems(connection(), id);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].title, "c");
    EXPECT_EQ(items[2].title, "a");
}

TEST_F(GroupsTest, AForeignStoredOrderFallsBackToIdOrder) {
    const qint64 id = addGroup("甲", "Title DESC, (select 1)",
                               {{"b", ">=", 20, "<", 30}, {"a", ">=", 10, "<", 20}});
    const auto items = sum::ReadGroupItems(connection(), id);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].title, "b");
    EXPECT_EQ(sum::GroupItemOrder(connection(), id), "id ASC");
}

} // namespace
