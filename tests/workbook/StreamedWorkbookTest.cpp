#include "workbook/StreamedWorkbook.h"

#include "support/TestEnvironment.h"
#include "workbook/ZipPackage.h"

#include <QDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kestrune::workbook;
using kestrune::testing::TestEnvironment;

namespace {

QByteArray partOf(const QString& path, const std::string& name) {
    for (const PackagePart& part : ReadZipPackage(path))
        if (part.name == name)
            return part.bytes;
    return {};
}

QByteArray sheetData(const QString& path) {
    const QByteArray sheet = partOf(path, "xl/worksheets/sheet1.xml");
    const qsizetype begin = sheet.indexOf("<sheetData>");
    const qsizetype end = sheet.indexOf("</sheetData>");
    return sheet.mid(begin, end - begin + 12);
}

// What the rows become: numbers as the shortest text that reads back as the
// same double, texts inline with the characters XML cannot carry escaped as a
// spreadsheet does, cells put in column order and the last of a column kept.
TEST(StreamedWorkbookTest, RowsAreWrittenExactlyAndInColumnOrder) {
    TestEnvironment env;
    const QString path = env.path("rows.xlsx");
    StreamedWorkbook book(path, "表:一");
    book.writeNumber(1, 1, 0.1 + 0.2);
    book.writeNumber(1, 2, 110101000001);
    book.writeNumber(1, 3, -3.5e-7);
    book.writeText(2, 3, "a<b & \"c\"\x0b");
    book.writeText(2, 1, " 甲 ");
    book.writeNumber(2, 1, 2);
    book.writeNumber(3, 28, std::numeric_limits<double>::infinity());
    book.finish();
    EXPECT_EQ(sheetData(path),
              "<sheetData>"
              "<row r=\"1\"><c r=\"A1\"><v>0.30000000000000004</v></c>"
              "<c r=\"B1\"><v>110101000001</v></c><c r=\"C1\"><v>-3.5e-07</v></c></row>"
              "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"C2\" t=\"inlineStr\"><is>"
              "<t xml:space=\"preserve\">a&lt;b &amp; &quot;c&quot;_x000B_</t></is></c></row>"
              "<row r=\"3\"><c r=\"AB3\" t=\"e\"><v>#NUM!</v></c></row>"
              "</sheetData>");
    EXPECT_TRUE(partOf(path, "xl/workbook.xml").contains("<sheet name=\"表_一\" sheetId=\"1\""));
    EXPECT_TRUE(partOf(path, "xl/worksheets/sheet1.xml").contains("<dimension ref=\"A1:AB3\"/>"));
    EXPECT_EQ(QDir(env.programFolder()).entryList({"~*"}, QDir::Files | QDir::Hidden),
              QStringList());
}

// Column formats reach every cell of the column and its empty cells; a
// styled cell has its own; fitted widths count a CJK character twice.
TEST(StreamedWorkbookTest, FormatsAndWidthsGoIntoTheStylesAndColumns) {
    TestEnvironment env;
    const QString path = env.path("styles.xlsx");
    StreamedWorkbook book(path, "表");
    book.setColumnFormat(2, "#,##0_ ");
    book.setColumnFormat(3, "@");
    book.writeText(2, 1, "导出日期:", CellStyle{QString(), true, 12});
    book.writeNumber(5, 2, 1234567);
    book.writeText(5, 3, "工会");
    book.fitColumns(1, 3);
    book.finish();
    const QByteArray styles = partOf(path, "xl/styles.xml");
    EXPECT_TRUE(styles.contains("<numFmt numFmtId=\"164\" formatCode=\"#,##0_ \"/>"));
    EXPECT_TRUE(styles.contains("<font><b/><sz val=\"12\"/>"));
    EXPECT_TRUE(styles.contains("<cellXfs count=\"4\"><xf numFmtId=\"0\" fontId=\"0\""));
    const QByteArray sheet = partOf(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<cols><col min=\"1\" max=\"1\" width=\"12\" customWidth=\"1\"/>"
                               "<col min=\"2\" max=\"2\" width=\"11\" customWidth=\"1\" "
                               "style=\"1\"/><col min=\"3\" max=\"3\" width=\"5\" "
                               "customWidth=\"1\" style=\"2\"/></cols>"))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<c r=\"A2\" s=\"3\" t=\"inlineStr\">"));
    EXPECT_TRUE(sheet.contains("<c r=\"B5\" s=\"1\"><v>1234567</v></c>"));
}

} // namespace
