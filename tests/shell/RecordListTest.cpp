#include "shell/RecordList.h"

#include "schema/Connection.h"
#include "shell/ColumnChoice.h"
#include "shell/RecordColumns.h"
#include "shell/RecordDeletion.h"
#include "shell/RecordSearch.h"
#include "shell/TitleSort.h"
#include "support/StartedSession.h"

#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::StartedSessionTest;

namespace {

class RecordListTest : public StartedSessionTest {
protected:
    void SetUp() override {
        // Names in an order unlike their codes, one with a quote.
        const QStringList names = {"丙工会", "甲工会", "乙工会", "丁's 工会", "戊工会"};
        for (int i = 0; i < names.size(); ++i)
            connection().execute("insert into dt_data (c901, c902, c903, c904, RecordState) "
                                 "values (?, ?, 130102, ?, 1)",
                                 {100000000001.0 + i, names[i], 5 - i});
        list.setColumns(VisibleColumns(ReadFieldCatalogue(connection())));
        list.open();
    }

    int column(const QString& showName) {
        for (size_t i = 0; i < list.columns().size(); ++i)
            if (list.columns()[i].ShowName == showName)
                return int(i);
        return -1;
    }
    QStringList codes() {
        QStringList result;
        for (int r = 0; r < list.rowCount(); ++r)
            result << QString::number(qint64(list.codeAt(r)));
        return result;
    }
    QStringList remaining() {
        QStringList result;
        auto rows = connection().query("select c901 from dt_data order by c901");
        for (; !rows.eof(); rows.next())
            result << rows.field("c901").asText();
        return result;
    }

    RecordList list{connection()};
};

TEST_F(RecordListTest, RowsComeInCodeOrderWithTheCatalogueColumns) {
    EXPECT_EQ(list.rowCount(), 5);
    QStringList shown;
    for (const TFieldData& f : list.columns())
        shown << f.ShowName;
    EXPECT_EQ(shown, (QStringList{"c901", "c902", "CityName", "LevelName", "StateName",
                                  "RecordStateName"}));
    EXPECT_EQ(list.value(0, column("c902")).toString(), "丙工会");
    EXPECT_EQ(list.value(4, column("CityName")).toString(), "河北省石家庄市长安区");
    EXPECT_EQ(list.value(4, column("LevelName")).toString(), "省级地方工会");
    EXPECT_EQ(list.value(0, column("RecordStateName")).toString(), "无逻辑错误");
    EXPECT_TRUE(IsCentredColumn(list.columns()[size_t(column("RecordStateName"))]));
    EXPECT_FALSE(IsCentredColumn(list.columns()[size_t(column("c902"))]));
    EXPECT_FALSE(list.value(9, 0).isValid());
}

TEST_F(RecordListTest, SortingKeepsTheCurrentRecordAndSurvivesARequery) {
    list.setCurrentRow(1); // 100000000002 甲工会
    list.sort(column("c904") == -1 ? column("LevelName") : column("c904"), true);
    EXPECT_EQ(list.currentCode(), 100000000002.0);
    list.sort(column("c901"), true);
    EXPECT_EQ(codes(), (QStringList{"100000000005", "100000000004", "100000000003", "100000000002",
                                    "100000000001"}));
    EXPECT_EQ(list.currentRow(), 3);
    EXPECT_EQ(list.value(0, column("c902")).toString(), "戊工会");
    connection().execute("update dt_data set c902='戊改' where c901=100000000005");
    list.requeryAndReturn();
    EXPECT_EQ(list.currentCode(), 100000000002.0);
    EXPECT_EQ(list.value(0, column("c902")).toString(), "戊改");
}

TEST(TitleSortTest, TheDirectionBelongsToTheListNotToAColumn) {
    std::vector<ColumnTitle> titles = {{"编码"}, {"名称"}, {"状态"}};
    SortState state;
    EXPECT_TRUE(SortByTitle(0, state, titles)); // first click: descending
    EXPECT_EQ(titles[0].text, "编码▼");
    EXPECT_EQ(titles[0].colour, ColumnTitle::Colour::Lime);
    EXPECT_FALSE(SortByTitle(1, state, titles)); // next click anywhere: ascending
    EXPECT_EQ(titles[1].text, "名称▲");
    EXPECT_EQ(titles[1].colour, ColumnTitle::Colour::Lime);
    EXPECT_EQ(titles[0].text, "编码");
    EXPECT_EQ(titles[0].colour, ColumnTitle::Colour::InactiveCaption);
    EXPECT_TRUE(SortByTitle(1, state, titles)); // the same column again
    EXPECT_EQ(titles[1].text, "名称▼");
    EXPECT_EQ(state.sortedColumn, 1);
    EXPECT_EQ(titles[2].text, "状态");
}

TEST_F(RecordListTest, OneRowIsDeletedAfterYes) {
    list.setCurrentRow(2);
    ui.questionAnswers = {Question::ResultNo, Question::ResultYes};
    EXPECT_FALSE(DeleteSelectedRecords(list, {}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(remaining().size(), 5);
    EXPECT_TRUE(DeleteSelectedRecords(list, {2}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(ui.questions, (QStringList{kDeleteQuestion, kDeleteQuestion}));
    EXPECT_EQ(remaining(),
              (QStringList{"100000000001", "100000000002", "100000000004", "100000000005"}));
    // The row that followed the deleted one is current.
    EXPECT_EQ(list.currentCode(), 100000000004.0);
    EXPECT_EQ(list.currentRow(), 2);
}

TEST_F(RecordListTest, AfterADeletionTheNeighbourOfTheDeletedRowsIsCurrent) {
    list.sort(column("c901"), true); // the shown order: 5, 4, 3, 2, 1
    // 3 and 4 go: 2, which followed them in the shown order, is current.
    ui.questionAnswers = {Question::ResultYesToAll};
    EXPECT_TRUE(DeleteSelectedRecords(list, {2, 1}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(codes(), (QStringList{"100000000005", "100000000002", "100000000001"}));
    EXPECT_EQ(list.currentCode(), 100000000002.0);
    // The last rows go: the row before them is current.
    ui.questionAnswers = {Question::ResultYesToAll};
    EXPECT_TRUE(DeleteSelectedRecords(list, {1, 2}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(list.currentCode(), 100000000005.0);
    // A range deletion's rows, as the snapshot holds them.
    EXPECT_EQ(CodesInRange(list, {100000000001.0, 100000000005.0}),
              (std::vector<double>{100000000005.0}));
}

TEST_F(RecordListTest, YesToAllDeletesThisAndEveryLaterSelectedRow) {
    // A closed dialog goes on with the next row; "全都是" deletes from there on.
    ui.questionAnswers = {Question::ResultCancel, Question::ResultYesToAll};
    EXPECT_TRUE(DeleteSelectedRecords(list, {4, 0, 2}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(remaining(), (QStringList{"100000000002", "100000000004", "100000000005"}));
    EXPECT_EQ(list.rowCount(), 3);

    ui.questionAnswers = {Question::ResultNo};
    EXPECT_FALSE(DeleteSelectedRecords(list, {0, 1}, "dt_data", "c901", connection(), ui));
    EXPECT_EQ(remaining().size(), 3);
}

TEST_F(RecordListTest, RangeDeletionWritesTwoDecimalsAndRaisesTheUpperBound) {
    EXPECT_FALSE(ReadCodeRange("", "100000000003"));
    EXPECT_FALSE(ReadCodeRange("100000000003", "0"));
    const auto range = ReadCodeRange("100000000002", "100000000004");
    ASSERT_TRUE(range);
    EXPECT_EQ(DeleteRangeStatement(*range),
              "delete from dt_data where c901>=100000000002.00 and c901<=100000000004.00");
    const auto raised = ReadCodeRange("100000000003", "100000000001");
    ASSERT_TRUE(raised);
    EXPECT_TRUE(raised->raised);
    ui.confirmAnswers = {false, true};
    EXPECT_FALSE(DeleteRecordRange(*raised, connection(), ui));
    EXPECT_EQ(remaining().size(), 5);
    EXPECT_TRUE(DeleteRecordRange(*raised, connection(), ui));
    EXPECT_EQ(ui.confirmations, (QStringList{kDeleteWarning, kDeleteWarning}));
    EXPECT_EQ(ui.confirmationCaptions[0], "警告信息");
    EXPECT_EQ(remaining(),
              (QStringList{"100000000001", "100000000002", "100000000004", "100000000005"}));
    ui.confirmAnswers = {true};
    EXPECT_TRUE(DeleteAllRecords(connection(), ui));
    EXPECT_TRUE(remaining().isEmpty());
}

TEST_F(RecordListTest, LocateByCodeAndByName) {
    EXPECT_EQ(LocateByCode(list, "10000000000"), LocateResult::WrongLength);
    EXPECT_EQ(LocateMessage(LocateResult::WrongLength), "编码必须为12位");
    EXPECT_EQ(LocateByCode(list, "100000000009"), LocateResult::NotFound);
    EXPECT_EQ(LocateMessage(LocateResult::NotFound), "没有找到满足条件的数据");
    EXPECT_EQ(LocateByCode(list, "100000000004"), LocateResult::Found);
    EXPECT_EQ(list.currentRow(), 3);
    EXPECT_EQ(LocateByName(list, connection(), " 乙 "), LocateResult::Found);
    EXPECT_EQ(list.currentCode(), 100000000003.0);
    EXPECT_EQ(LocateByName(list, connection(), "丁's"), LocateResult::Found);
    EXPECT_EQ(list.currentCode(), 100000000004.0);
    EXPECT_EQ(LocateByName(list, connection(), "x' or '1'='1"), LocateResult::NotFound);
}

TEST(NumberRangeConditionTest, OperatorsConjunctionAndTheSecondNumberAlone) {
    EXPECT_EQ(NumberRangeCondition("", 1, 1, " ", 1), std::nullopt);
    EXPECT_EQ(NumberRangeCondition("100000000001", 4, 1, "100000000009", 5),
              "where c901>=100000000001 AND c901<=100000000009");
    EXPECT_EQ(NumberRangeCondition("100000000001", 3, 2, "100000000009", 2),
              "where c901<100000000001 OR c901>100000000009");
    EXPECT_EQ(NumberRangeCondition("", 4, 1, "0100000000009", 3), "where c901<100000000009");
    EXPECT_EQ(NumberRangeCondition("7", 1, 1, "", 5), "where c901=7");
}

TEST_F(RecordListTest, AResultListHoldsOnlyTheRowsOfItsCondition) {
    RecordList results(connection(), "where c901>=100000000002 AND c901<=100000000003");
    results.setColumns(list.columns());
    results.open();
    EXPECT_EQ(results.sourceView(), "view_data");
    EXPECT_EQ(results.rowCount(), 2);
    EXPECT_EQ(results.value(1, column("c902")).toString(), "乙工会");
    results.setCondition("where y005>0");
    EXPECT_EQ(results.sourceView(), "view_data_all");
}

TEST_F(RecordListTest, ColumnChoicesByPageAndSaved) {
    const ColumnChoicePages pages = ReadColumnChoices(connection());
    ASSERT_EQ(pages.tabs.size(), 14);
    EXPECT_EQ(pages.tabs[0], "封面");
    EXPECT_EQ(pages.tabs[1], "表1  工会组织建设及民主参与状况");
    EXPECT_EQ(pages.boxes.size(), 205u);
    EXPECT_EQ(pages.boxes[0].caption, "c901--901. 本级工会统计编码");
    EXPECT_TRUE(pages.boxes[0].checked);
    EXPECT_EQ(ColumnChoiceGeometry(0), QRect(4, 6, 438, 35));
    EXPECT_EQ(ColumnChoiceGeometry(3), QRect(442, 36, 438, 35));
    // The record state is not offered, so no choice hides it.
    SaveColumnChoices(connection(), {});
    const TFieldDataArray none = VisibleColumns(ReadFieldCatalogue(connection()));
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].ShowName, "RecordStateName");
    SaveColumnChoices(connection(), {1, 8});
    const TFieldDataArray shown = VisibleColumns(ReadFieldCatalogue(connection()));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].FieldName, "z001");
    EXPECT_EQ(shown[2].Hint, "数据状态");
}

} // namespace
