#include "sum/SummaryWorkbook.h"

#include "RecordGenerator.h"
#include "SumDatabase.h"
#include "schema/Connection.h"
#include "sum/SummaryJob.h"
#include "sum/SummarySheets.h"
#include "workbook/Workbook.h"

#include <QFile>

using namespace kestrune;
using kestrune::testing::SumDatabase;
using workbook::CellValue;

namespace {

std::string shown(const CellValue& value) {
    if (const auto* d = std::get_if<double>(&value))
        return "number " + QString::number(*d, 'g', 17).toStdString();
    if (const auto* t = std::get_if<QString>(&value))
        return "text " + t->toStdString();
    return "empty";
}

std::string number(double value) {
    return shown(CellValue(value));
}

std::string text(const QString& value) {
    return shown(CellValue(value));
}

TEST(SummaryTemplateTest, HoldsTheCoverAndTheSheetsTheSummationFills) {
    workbook::Workbook book =
        workbook::Workbook::open(kestrune::testing::builtProgramFile(sum::kSummaryTemplateName));
    ASSERT_EQ(book.sheetCount(), 25);
    EXPECT_EQ(book.sheet(1).name(), "封面");
    for (int n = 2; n <= 25; ++n) {
        SCOPED_TRACE(n);
        workbook::Worksheet sheet = book.sheet(n);
        const sum::SummarySheet& source = sum::summarySheet(n);
        EXPECT_EQ(sheet.name(), source.title);
        EXPECT_EQ(shown(sheet.cell(1, 1)), text(source.title));
        EXPECT_EQ(sum::BreakdownLabelRow(sheet), 3);
        for (size_t k = 0; k < source.items.size(); ++k) {
            const int column = int(k) + 2;
            const QString col = workbook::CellAddressOf(1, column).remove('1');
            if (source.items[k].kind == sum::SummaryItem::Kind::WeightedMean)
                EXPECT_EQ(sheet.formula(8, column), "");
            else
                EXPECT_EQ(sheet.formula(8, column), "SUM(" + col + "9:" + col + "10)");
        }
        EXPECT_EQ(shown(sheet.cell(8, int(source.items.size()) + 2)), "empty");
    }
    workbook::Worksheet two = book.sheet(2);
    EXPECT_EQ(shown(two.cell("B4")), text("工会数（个）"));
    EXPECT_EQ(shown(two.cell("G4")), text("是否建立女职工委员会"));
    EXPECT_EQ(shown(two.cell("G6")), text("是"));
    EXPECT_EQ(shown(two.cell("H6")), text("否"));
    EXPECT_EQ(shown(two.cell("H7")), text("z005_2"));
    EXPECT_EQ(shown(book.sheet(22).cell("E6")), text("加权平均"));
    EXPECT_EQ(shown(book.sheet(22).cell("E4")), text("机关实有人员平均年龄(岁)"));
    EXPECT_EQ(book.sheet(23).formula(8, 10), "");
}

class SummaryWorkbookTest : public SumDatabase {
protected:
    workbook::Workbook summarise(sum::Breakdown breakdown, std::vector<int> sheets,
                                 qint64 group = 0) {
        std::optional<workbook::Workbook> book =
            sum::SummaryWorkbook(connection(), ui, breakdown, group, sheets, true);
        EXPECT_TRUE(book.has_value());
        return book ? std::move(*book) : workbook::Workbook::create();
    }
    void useFiveLevels() {
        connection().execute("delete from CT_LevelCode");
        // Stored out of order: the sheet follows the sequence.
        const std::vector<std::tuple<int, QString, int>> levels = {
            {7, "乙级", 3}, {2, "甲级", 1}, {9, "戊级", 5}, {4, "丙级", 2}, {5, "丁级", 4}};
        for (const auto& [id, name, sequence] : levels)
            connection().execute("insert into CT_LevelCode (ID, Name, Sequence) values (?, ?, ?)",
                                 {id, name, sequence});
    }
};

TEST_F(SummaryWorkbookTest, FiveLevelsFillRowsTenToFourteenInSequence) {
    useFiveLevels();
    addRecord(110101000001, 2, 1, {{"z001", 4}, {"z002", 1}, {"z005", 1}});
    addRecord(110101000002, 2, 1, {{"z001", 6}, {"z005", 0}});
    addRecord(110101000003, 5, 1, {{"z001", 3}, {"z005", 2}});
    addRecord(0, 5, 1, {{"z001", 1000}});
    workbook::Workbook book = summarise(sum::Breakdown::Level, {1, 2});
    ASSERT_EQ(book.sheetCount(), 2);
    workbook::Worksheet sheet = book.sheet(2);
    EXPECT_EQ(sheet.name(), sum::summarySheet(2).title);
    EXPECT_EQ(shown(sheet.cell("A3")), text("工会层次"));
    const char* names[] = {"甲级", "丙级", "乙级", "丁级", "戊级"};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(shown(sheet.cell(10 + r, 1)), text(names[r]));
    EXPECT_EQ(shown(sheet.cell(15, 1)), "empty");
    // Column B the record count, column C the sum of z001; a level
    // without records stays empty.
    EXPECT_EQ(shown(sheet.cell("B10")), number(2));
    EXPECT_EQ(shown(sheet.cell("C10")), number(10));
    EXPECT_EQ(shown(sheet.cell("D10")), number(1));
    EXPECT_EQ(shown(sheet.cell("G10")), number(1));
    EXPECT_EQ(shown(sheet.cell("H10")), number(1));
    EXPECT_EQ(shown(sheet.cell("B11")), "empty");
    EXPECT_EQ(shown(sheet.cell("C11")), "empty");
    EXPECT_EQ(shown(sheet.cell("B13")), number(1));
    EXPECT_EQ(shown(sheet.cell("C13")), number(3));
    EXPECT_EQ(shown(sheet.cell("H13")), number(1));
    // The total row spans the inserted rows.
    EXPECT_EQ(sheet.formula(8, 2), "SUM(B9:B14)");
    EXPECT_EQ(sheet.formula(8, 8), "SUM(H9:H14)");
    EXPECT_EQ(book.activeSheet(), 1);
}

TEST_F(SummaryWorkbookTest, TotalRowEqualsTheColumnSumsAfterInsertion) {
    cli::generateRecords(connection(), 200, 7);
    workbook::Workbook book = summarise(sum::Breakdown::State, {2, 15, 22});
    ASSERT_EQ(book.sheetCount(), 3);
    const QString path = env.path("summary.xlsx");
    book.save(path);
    workbook::Workbook saved = workbook::Workbook::open(path);
    // Sheets 2, 15 and 22 are all that is left.
    EXPECT_EQ(saved.sheet(2).name(), sum::summarySheet(15).title);
    workbook::Worksheet sheet = saved.sheet(1);
    EXPECT_EQ(shown(sheet.cell("A3")), text("填报状态"));
    EXPECT_EQ(shown(sheet.cell("A10")), text("未选择"));
    EXPECT_EQ(shown(sheet.cell("A15")), text("其他原因不填报"));
    EXPECT_EQ(sheet.formula(8, 2), "SUM(B9:B15)");
    double count = 0;
    for (int r = 10; r <= 15; ++r) {
        const CellValue value = sheet.cell(r, 2);
        if (const auto* d = std::get_if<double>(&value))
            count += *d;
    }
    // Every record of a state of the code table (the generator also leaves
    // some without a state).
    EXPECT_EQ(count, connection()
                         .scalar("select count(*) from dt_data d join ct_state s on s.id = "
                                 "d.c907 where d.c901>0")
                         .toDouble());
    EXPECT_GT(count, 150);
    // Sheet 22's total mean is the whole database's.
    const double mean = connection()
                            .scalar("select sum(d017*d012)/sum(iif(d017>0,d012,0)) from dt_data")
                            .toDouble();
    EXPECT_EQ(shown(saved.sheet(3).cell("E8")), number(mean));
}

TEST_F(SummaryWorkbookTest, CoverAndOneTableLeaveTwoSheets) {
    cli::generateRecords(connection(), 30, 3);
    workbook::Workbook book = summarise(sum::Breakdown::Level, {1, 11});
    ASSERT_EQ(book.sheetCount(), 2);
    EXPECT_EQ(book.sheet(1).name(), "封面");
    EXPECT_EQ(book.sheet(2).name(), "表五  工会劳动保护工作");
    EXPECT_EQ(shown(book.sheet(2).cell("A12")), text("市级地方工会"));
}

TEST_F(SummaryWorkbookTest, GroupItemsShowInTheGroupsOrder) {
    addRecord(110101000001, 3, 1, {{"z001", 4}});
    addRecord(120101000001, 3, 1, {{"z001", 5}});
    const qint64 group = addGroup("按地区", "title DESC",
                                  {{"北京", ">=", 110000000000, "<", 120000000000},
                                   {"天津", ">=", 120000000000, "<", 130000000000},
                                   {"河北", ">=", 130000000000, "<", 140000000000}});
    workbook::Workbook book = summarise(sum::Breakdown::Group, {2}, group);
    ASSERT_EQ(book.sheetCount(), 1);
    workbook::Worksheet sheet = book.sheet(1);
    EXPECT_EQ(shown(sheet.cell("A3")), text("分    组"));
    // 河 U+6CB3, 天 U+5929, 北 U+5317: descending.
    EXPECT_EQ(shown(sheet.cell("A10")), text("河北"));
    EXPECT_EQ(shown(sheet.cell("B10")), number(0));
    EXPECT_EQ(shown(sheet.cell("C10")), "empty");
    EXPECT_EQ(shown(sheet.cell("A11")), text("天津"));
    EXPECT_EQ(shown(sheet.cell("C11")), number(5));
    EXPECT_EQ(shown(sheet.cell("A12")), text("北京"));
    EXPECT_EQ(shown(sheet.cell("C12")), number(4));
    EXPECT_EQ(sheet.formula(8, 3), "SUM(C9:C12)");
}

TEST_F(SummaryWorkbookTest, MissingTemplateIsTheMissingSpreadsheetProgram) {
    QFile::remove(env.path(sum::kSummaryTemplateName));
    EXPECT_FALSE(sum::SummaryWorkbook(connection(), ui, sum::Breakdown::Level, 0, {1, 2}, false));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "打开汇总模版文件时发生错误，可能是没有安装MS Office或者WPS Office中的Excel");
}

} // namespace
