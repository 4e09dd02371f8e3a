#include "sum/SumTableList.h"

#include "support/TestEnvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using sum::SumTableList;

namespace {

TEST(SumTableListTest, ListsTheCoverHeadingsAndTables) {
    SumTableList list;
    ASSERT_EQ(list.items().size(), 39u);
    EXPECT_EQ(list.items()[0].text, "封面");
    EXPECT_EQ(list.items()[1].text, "//表一 工会组织建设及民主参与状况");
    EXPECT_EQ(list.items()[38].text, "工会经费审查工作情况统计表");
    int headings = 0;
    for (const auto& item : list.items()) {
        EXPECT_EQ(item.enabled, !item.isHeading());
        EXPECT_FALSE(item.checked);
        headings += item.isHeading();
    }
    EXPECT_EQ(headings, 14);
    EXPECT_EQ(list.sheetOf(0), 1);
    EXPECT_EQ(list.sheetOf(1), 0);
    EXPECT_EQ(list.sheetOf(15), 11); // 工会劳动保护工作统计表
    EXPECT_EQ(list.sheetOf(38), 25);
}

TEST(SumTableListTest, CheckingAllHeadingsAndDoubleClicks) {
    SumTableList list;
    list.checkAll(true);
    EXPECT_EQ(list.checkedSheets().size(), 25u);
    EXPECT_FALSE(list.items()[1].checked);
    list.checkAll(false);
    EXPECT_TRUE(list.checkedSheets().empty());
    // A heading checks the tables below it up to the next heading.
    list.activate(7); // //表三
    EXPECT_EQ(list.checkedSheets(), (std::vector<int>{6, 7, 8}));
    // A table does nothing on a double-click; a heading cannot be checked.
    list.activate(15);
    list.setChecked(11, true);
    EXPECT_EQ(list.checkedSheets(), (std::vector<int>{6, 7, 8}));
    list.setChecked(15, true);
    EXPECT_EQ(list.checkedSheets(), (std::vector<int>{6, 7, 8, 11}));
}

TEST(SumTableListTest, ChoiceOfSummation) {
    EXPECT_EQ(sum::ChooseSummation({}), sum::SumChoice::Nothing);
    EXPECT_EQ(sum::ChooseSummation({1}), sum::SumChoice::CoverOnly);
    EXPECT_EQ(sum::ChooseSummation({11}), sum::SumChoice::Summarise);
    EXPECT_EQ(sum::ChooseSummation({1, 11}), sum::SumChoice::Summarise);
    EXPECT_EQ(sum::kCoverOnlyMessage, "除去封面，请至少选择一个表格进行汇总");
}

TEST(SumTableListTest, FileKeepsTheCheckMarks) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sumtable.jg");
    SumTableList list;
    list.setChecked(0, true);
    list.setChecked(15, true);
    ASSERT_TRUE(list.save(path));
    const QByteArray bytes = kestrune::testing::readFile(path);
    EXPECT_TRUE(bytes.startsWith("&1 1 \xE5\xB0\x81\xE9\x9D\xA2\r\n&0 0 //"));
    EXPECT_EQ(bytes.count("\r\n"), 39);

    SumTableList read;
    read.load(path);
    EXPECT_EQ(read.checkedSheets(), (std::vector<int>{1, 11}));
}

TEST(SumTableListTest, MissingOrForeignFileGivesTheDefaultList) {
    SumTableList list;
    list.setChecked(0, true);
    list.load("/nonexistent/sumtable.jg");
    EXPECT_TRUE(list.checkedSheets().empty());
    // Lines without "&" take the default state; a heading stays unchecked;
    // a line naming another item is ignored.
    list.parse("封面\n&1 1 //表一 工会组织建设及民主参与状况\n&1 1 别的表\n&1 1 "
               "工会组织建设及民主参与状况统计表2\r\n");
    EXPECT_EQ(list.checkedSheets(), (std::vector<int>{3}));
    ASSERT_EQ(list.items().size(), 39u);
}

} // namespace
