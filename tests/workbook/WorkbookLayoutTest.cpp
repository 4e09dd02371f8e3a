#include "WorkbookFiles.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kestrune::workbook;
using namespace kestrune::workbook::testing;

namespace {

const char kSheet1[] = "xl/worksheets/sheet1.xml";

TEST(WorkbookLayoutTest, InsertedRowsMoveCellsMergesHeightsAndFormulasOnEverySheet) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.xlsx"));
    Workbook book = Workbook::create();
    Worksheet data = book.sheet(1);
    data.setName(QStringLiteral("数据"));
    data.setCell(QStringLiteral("A9"), QStringLiteral("甲"));
    data.setCell(QStringLiteral("B9"), 1.0);
    data.setCell(QStringLiteral("B10"), 2.0);
    data.setFormula(11, 2, QStringLiteral("SUM(B9:B10)"));
    data.setFormula(11, 3, QStringLiteral("B10*$B$9+B8"));
    data.mergeCells(QStringLiteral("A10:C10"));
    data.mergeCells(QStringLiteral("D9:D10")); // spans the insertion point
    data.setRowHeight(10, 30);
    data.setPageSetup(PageOrientation::Portrait, 9, 10);
    Worksheet summary = book.addSheet(QStringLiteral("Summary"));
    summary.setFormula(1, 1, QStringLiteral("'数据'!B10+数据!B9+B10"));

    data.insertRows(10, 2);

    EXPECT_EQ(data.cell(QStringLiteral("B9")), CellValue(1.0));
    EXPECT_EQ(data.cell(QStringLiteral("B10")), CellValue());
    EXPECT_EQ(data.cell(QStringLiteral("B12")), CellValue(2.0));
    EXPECT_EQ(data.formula(13, 2), QStringLiteral("SUM(B9:B12)"));
    EXPECT_EQ(data.formula(13, 3), QStringLiteral("B12*$B$9+B8"));
    // Another sheet's references into the moved rows follow; its own stay.
    EXPECT_EQ(summary.formula(1, 1), QStringLiteral("'数据'!B12+数据!B9+B10"));
    book.save(path);

    const QString sheetXml = QString::fromUtf8(PartOf(path, kSheet1));
    EXPECT_TRUE(sheetXml.contains(
        QStringLiteral("<mergeCells count=\"2\"><mergeCell ref=\"A12:C12\"/><mergeCell "
                       "ref=\"D9:D12\"/></mergeCells>")))
        << sheetXml.toStdString();
    EXPECT_TRUE(sheetXml.contains(QStringLiteral("<row r=\"12\" ht=\"30\" customHeight=\"1\">")));
    EXPECT_FALSE(sheetXml.contains(QStringLiteral("<row r=\"10\"")));
    EXPECT_EQ(SavedCell(path, kSheet1, QStringLiteral("B13")),
              QStringLiteral("<c r=\"B13\"><f>SUM(B9:B12)</f><v>3</v></c>"));
    const QString workbookXml = QString::fromUtf8(PartOf(path, "xl/workbook.xml"));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral(
        "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">'数据'!$9:$12</definedName>")))
        << workbookXml.toStdString();
}

TEST(WorkbookLayoutTest, DeletingASheetMendsNamesTabsAndReferences) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheets.xlsx"));
    Workbook book = Workbook::create();
    book.addSheet(QStringLiteral("Two")).setCell(1, 1, 5.0);
    book.addSheet(QStringLiteral("Three")).setPageSetup(PageOrientation::Landscape, 1, 2);
    book.sheet(1).setPageSetup(PageOrientation::Portrait, 1, 1);
    book.sheet(1).setFormula(1, 1, QStringLiteral("Two!A1+1"));
    book.setActiveSheet(3);
    ASSERT_EQ(book.activeSheet(), 3);

    book.deleteSheet(2);

    ASSERT_EQ(book.sheetCount(), 2);
    EXPECT_EQ(book.sheet(2).name(), QStringLiteral("Three"));
    EXPECT_EQ(book.activeSheet(), 2);
    EXPECT_EQ(book.sheet(1).formula(1, 1), QStringLiteral("#REF!+1"));
    EXPECT_THROW(book.sheet(QStringLiteral("Two")), WorkbookError);
    book.save(path);

    const QString workbookXml = QString::fromUtf8(PartOf(path, "xl/workbook.xml"));
    EXPECT_TRUE(
        workbookXml.contains(QStringLiteral("<sheets><sheet name=\"Sheet1\" sheetId=\"1\" "
                                            "r:id=\"rId1\"/><sheet name=\"Three\" sheetId=\"3\"")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral(
        "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"1\">Three!$1:$2</definedName>")))
        << workbookXml.toStdString();
    EXPECT_TRUE(workbookXml.contains(QStringLiteral(
        "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">Sheet1!$1:$1</definedName>")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("<workbookView activeTab=\"1\"/>")));
    EXPECT_TRUE(PartOf(path, "xl/worksheets/sheet2.xml").isEmpty());
    EXPECT_FALSE(QString::fromUtf8(PartOf(path, "[Content_Types].xml"))
                     .contains(QStringLiteral("sheet2.xml")));
    EXPECT_TRUE(
        QString::fromUtf8(PartOf(path, "xl/worksheets/sheet3.xml"))
            .contains(QStringLiteral("<sheetView tabSelected=\"1\" workbookViewId=\"0\"/>")));

    Workbook last = Workbook::create();
    try {
        last.deleteSheet(1);
        FAIL() << "the only sheet was deleted";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("工作簿至少要保留一张工作表"));
    }
}

TEST(WorkbookLayoutTest, PlainSumsCarryTheirTotalAndOtherFormulasNoValue) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sums.xlsx"));
    Workbook book = Workbook::create();
    Worksheet sheet = book.sheet(1);
    sheet.setCell(QStringLiteral("A1"), 1.25);
    sheet.setCell(QStringLiteral("A2"), QStringLiteral("文字不计"));
    sheet.setCell(QStringLiteral("A3"), 2.5);
    sheet.setCell(QStringLiteral("B1"), 10.0);
    sheet.setFormula(4, 1, QStringLiteral("SUM(A1:A3)"));
    sheet.setFormula(5, 1, QStringLiteral("sum( $A$1:B3 )")); // a rectangle, any spelling
    sheet.setFormula(6, 1, QStringLiteral("SUM(A4:A5)"));     // sums of sums
    sheet.setFormula(7, 1, QStringLiteral("A1*2"));           // not a SUM: no value
    sheet.setFormula(8, 1, QStringLiteral("SUM(A7,A1)"));     // not one range
    sheet.setFormula(9, 1, QStringLiteral("SUM(A6:A7)"));     // over an unknown value
    sheet.setFormula(10, 1, QStringLiteral("SUM(A10:A11)"));  // over itself
    sheet.setFormula(11, 1,
                     QStringLiteral("SUM(Sheet1!A1:A3)")); // names a sheet: left to the reader
    book.save(path);

    auto saved = [&](const char* address) {
        return SavedCell(path, "xl/worksheets/sheet1.xml", QString::fromLatin1(address));
    };
    EXPECT_EQ(saved("A4"), QStringLiteral("<c r=\"A4\"><f>SUM(A1:A3)</f><v>3.75</v></c>"));
    EXPECT_EQ(saved("A5"), QStringLiteral("<c r=\"A5\"><f>sum( $A$1:B3 )</f><v>13.75</v></c>"));
    EXPECT_EQ(saved("A6"), QStringLiteral("<c r=\"A6\"><f>SUM(A4:A5)</f><v>17.5</v></c>"));
    EXPECT_EQ(saved("A7"), QStringLiteral("<c r=\"A7\"><f>A1*2</f></c>"));
    EXPECT_EQ(saved("A8"), QStringLiteral("<c r=\"A8\"><f>SUM(A7,A1)</f></c>"));
    EXPECT_EQ(saved("A9"), QStringLiteral("<c r=\"A9\"><f>SUM(A6:A7)</f></c>"));
    EXPECT_EQ(saved("A10"), QStringLiteral("<c r=\"A10\"><f>SUM(A10:A11)</f></c>"));
    EXPECT_EQ(saved("A11"), QStringLiteral("<c r=\"A11\"><f>SUM(Sheet1!A1:A3)</f></c>"));
    EXPECT_TRUE(QString::fromUtf8(PartOf(path, "xl/workbook.xml"))
                    .contains(QStringLiteral("<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>")));
}

TEST(WorkbookLayoutTest, FormatsWidthsAndPageSetupLandInTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("formats.xlsx"));
    Workbook book = Workbook::create();
    Worksheet sheet = book.sheet(1);
    sheet.setCell(QStringLiteral("A1"), QStringLiteral("工会名称")); // 4 CJK characters: 8 wide
    sheet.setCell(QStringLiteral("B1"), QStringLiteral("code"));
    sheet.setCell(QStringLiteral("B2"), 1234567.0);
    sheet.setFont(1, 1, true, 14);
    sheet.setNumberFormat(2, 2, QStringLiteral("#,##0_ "));
    sheet.setColumnNumberFormat(3, QStringLiteral("@"));
    sheet.setCell(QStringLiteral("C5"), QStringLiteral("c901")); // takes the column's format
    sheet.setAlignment(QStringLiteral("A1:B1"), HorizontalAlignment::Center);
    sheet.fitColumns(1, 3);
    sheet.setPageSetup(PageOrientation::Landscape, 1, 3);
    book.save(path);

    const QString sheetXml = QString::fromUtf8(PartOf(path, "xl/worksheets/sheet1.xml"));
    // 8 × 14/11 + 2 rounded up to a quarter; 7 digits + 2; "c901" + 2.
    EXPECT_TRUE(sheetXml.contains(QStringLiteral(
        "<cols><col min=\"1\" max=\"1\" width=\"12.25\" customWidth=\"1\"/>"
        "<col min=\"2\" max=\"2\" width=\"9\" customWidth=\"1\"/>"
        "<col min=\"3\" max=\"3\" width=\"6\" style=\"3\" customWidth=\"1\"/></cols>")))
        << sheetXml.toStdString();
    EXPECT_TRUE(sheetXml.startsWith(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><worksheet "
        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>")));
    EXPECT_TRUE(
        sheetXml.contains(QStringLiteral("<pageSetup paperSize=\"9\" orientation=\"landscape\" "
                                         "fitToWidth=\"1\" fitToHeight=\"0\"/>")));
    EXPECT_EQ(SavedCell(path, "xl/worksheets/sheet1.xml", QStringLiteral("C5")),
              QStringLiteral("<c r=\"C5\" s=\"3\" t=\"s\"><v>2</v></c>"));

    const QString styles = QString::fromUtf8(PartOf(path, "xl/styles.xml"));
    EXPECT_TRUE(styles.contains(QStringLiteral(
        "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"#,##0_ \"/></numFmts>")))
        << styles.toStdString();
    EXPECT_TRUE(
        styles.contains(QStringLiteral("<font><b/><sz val=\"14\"/><name val=\"宋体\"/><family "
                                       "val=\"3\"/><charset val=\"134\"/></font>")));
    EXPECT_TRUE(styles.contains(QStringLiteral(
        "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" "
        "applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>")));
    EXPECT_TRUE(
        styles.contains(QStringLiteral("<xf numFmtId=\"49\" fontId=\"0\" fillId=\"0\" "
                                       "borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>")));
    EXPECT_TRUE(QString::fromUtf8(PartOf(path, "xl/workbook.xml"))
                    .contains(QStringLiteral("<definedName name=\"_xlnm.Print_Titles\" "
                                             "localSheetId=\"0\">Sheet1!$1:$3</definedName>")));
}

} // namespace
