#include "WorkbookFiles.h"
#include "workbook/ZipPackage.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune::workbook;
using namespace kestrune::workbook::testing;

namespace {

const char kSheet1[] = "xl/worksheets/sheet1.xml";

TEST(WorkbookCellsTest, NumbersTextsAndTypedValuesSurviveSavingAndOpening) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cells.xlsx"));
    Workbook book = Workbook::create();
    ASSERT_EQ(book.sheetCount(), 1);
    Worksheet sheet = book.sheet(1);
    EXPECT_EQ(sheet.name(), QStringLiteral("Sheet1"));
    sheet.setCell(1, 1, 12.5);
    sheet.setCell(QStringLiteral("B1"), QStringLiteral("工会名称"));
    sheet.setCell(QStringLiteral("$AA$2"), QStringLiteral(" 两端有空格 "));
    sheet.setTyped(QStringLiteral("A3"), QStringLiteral("123"));
    sheet.setTyped(QStringLiteral("B3"), QStringLiteral("1.5"));
    sheet.setTyped(QStringLiteral("C3"), QStringLiteral("-2"));
    sheet.setTyped(QStringLiteral("D3"), QStringLiteral("110101000001"));
    sheet.setTyped(QStringLiteral("E3"), QStringLiteral("c901"));
    sheet.setTyped(QStringLiteral("F3"), QStringLiteral("110101199001011234")); // 18 digits
    sheet.setTyped(QStringLiteral("G3"), QStringLiteral("x"));
    sheet.setTyped(QStringLiteral("G3"), QString()); // clears
    EXPECT_EQ(sheet.lastRow(), 3);
    EXPECT_EQ(sheet.lastColumn(), 27);
    book.save(path);

    Workbook reopened = Workbook::open(path);
    Worksheet read = reopened.sheet(QStringLiteral("sheet1")); // names compare without case
    EXPECT_EQ(read.cell(1, 1), CellValue(12.5));
    EXPECT_EQ(read.cell(QStringLiteral("B1")), CellValue(QStringLiteral("工会名称")));
    EXPECT_EQ(read.cell(QStringLiteral("AA2")), CellValue(QStringLiteral(" 两端有空格 ")));
    EXPECT_EQ(read.cell(QStringLiteral("A3")), CellValue(123.0));
    EXPECT_EQ(read.cell(QStringLiteral("B3")), CellValue(1.5));
    EXPECT_EQ(read.cell(QStringLiteral("C3")), CellValue(-2.0));
    EXPECT_EQ(read.cell(QStringLiteral("D3")), CellValue(110101000001.0));
    EXPECT_EQ(read.cell(QStringLiteral("E3")), CellValue(QStringLiteral("c901")));
    EXPECT_EQ(read.cell(QStringLiteral("F3")), CellValue(QStringLiteral("110101199001011234")));
    EXPECT_EQ(read.cell(QStringLiteral("G3")), CellValue());
    EXPECT_EQ(read.cell(QStringLiteral("Z9")), CellValue());

    EXPECT_EQ(SavedCell(path, kSheet1, QStringLiteral("A1")),
              QStringLiteral("<c r=\"A1\"><v>12.5</v></c>"));
    EXPECT_EQ(SavedCell(path, kSheet1, QStringLiteral("D3")),
              QStringLiteral("<c r=\"D3\"><v>110101000001</v></c>"));
    EXPECT_EQ(SavedCell(path, kSheet1, QStringLiteral("B1")),
              QStringLiteral("<c r=\"B1\" t=\"s\"><v>0</v></c>"));
    EXPECT_TRUE(SavedCell(path, kSheet1, QStringLiteral("G3")).isEmpty());
    EXPECT_TRUE(
        QString::fromUtf8(PartOf(path, "xl/sharedStrings.xml"))
            .contains(QStringLiteral("<si><t xml:space=\"preserve\"> 两端有空格 </t></si>")));
    EXPECT_TRUE(QString::fromUtf8(PartOf(path, kSheet1))
                    .contains(QStringLiteral("<dimension ref=\"A1:AA3\"/>")));
}

TEST(WorkbookCellsTest, InvalidAddressesAndSheetsAreRefusedWithTheirReason) {
    Workbook book = Workbook::create();
    Worksheet sheet = book.sheet(1);
    try {
        sheet.setCell(QStringLiteral("ABCD1"), 1.0);
        FAIL() << "an address of four letters was taken";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("单元格地址无效：“ABCD1”"));
    }
    try {
        sheet.cell(0, 1);
        FAIL() << "row 0 was taken";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("单元格位置无效：第 0 行第 1 列"));
    }
    try {
        book.sheet(2);
        FAIL() << "a second sheet was found";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("工作簿中没有第 2 张工作表"));
    }
    try {
        book.sheet(QStringLiteral("汇总"));
        FAIL() << "a missing sheet was found by name";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("工作簿中没有名为“汇总”的工作表"));
    }
    EXPECT_THROW(book.addSheet(QStringLiteral("SHEET1")), WorkbookError);
    EXPECT_THROW(book.addSheet(QStringLiteral("a/b")), WorkbookError);
}

// A template as another program writes it: an .xlt name, OOXML content,
// inline and rich shared strings, a shared formula, a calculation chain,
// print settings and a picture this engine does not read.
PackageParts TemplateParts() {
    const QByteArray picture("\x89PNG\r\n\x1a\n-not-really-a-picture", 29);
    return {
        {"[Content_Types].xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Default Extension="png" ContentType="image/png"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/><Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/><Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>)"},
        {"_rels/.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><bookViews><workbookView activeTab="0"/></bookViews><sheets><sheet name="年报" sheetId="1" r:id="rId1"/></sheets><definedNames><definedName name="_xlnm.Print_Area" localSheetId="0">'年报'!$A$1:$D$20</definedName></definedNames><calcPr calcId="124519"/></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/><Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>)"},
        {"xl/styles.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><fonts count="1"><font><sz val="12"/><name val="宋体"/></font></fonts><fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs></styleSheet>)"},
        {"xl/sharedStrings.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2"><si><t>单位名称</t></si><si><r><rPr><b/></rPr><t>职工</t></r><r><t>人数</t></r></si></sst>)"},
        {"xl/calcChain.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="C2" i="1"/></calcChain>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><dimension ref="A1:C3"/><sheetViews><sheetView tabSelected="1" workbookViewId="0"/></sheetViews><sheetFormatPr defaultRowHeight="14.25"/><cols><col min="1" max="3" width="12" customWidth="1"/></cols><sheetData><row r="1" spans="1:3"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>代码</t></is></c></row><row r="2" spans="1:3"><c r="A2" t="s"><v>1</v></c><c r="B2"><v>7</v></c><c r="C2"><f t="shared" ref="C2:C3" si="0">B2*2</f><v>14</v></c></row><row r="3"><c r="B3"><v>8</v></c><c r="C3"><f t="shared" si="0"/><v>16</v></c></row></sheetData><pageMargins left="0.75" right="0.75" top="1" bottom="1" header="0.5" footer="0.5"/><pageSetup paperSize="9" orientation="portrait"/><drawing r:id="rId1"/></worksheet>)"},
        {"xl/worksheets/_rels/sheet1.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing" Target="../drawings/drawing1.xml"/></Relationships>)"},
        {"xl/drawings/drawing1.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing"/>)"},
        {"xl/media/image1.png", picture},
    };
}

TEST(WorkbookCellsTest, ATemplateUnderAnyNameIsReadAndWhatIsNotUnderstoodIsKept) {
    QTemporaryDir dir;
    const QString templatePath = dir.filePath(QStringLiteral("2020打印表.xlt"));
    QFile file(templatePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteZipPackage(TemplateParts()));
    file.close();

    Workbook book = Workbook::open(templatePath);
    Worksheet sheet = book.sheet(QStringLiteral("年报"));
    EXPECT_EQ(sheet.cell(QStringLiteral("A1")), CellValue(QStringLiteral("单位名称")));
    EXPECT_EQ(sheet.cell(QStringLiteral("B1")), CellValue(QStringLiteral("代码")));
    EXPECT_EQ(sheet.cell(QStringLiteral("A2")), CellValue(QStringLiteral("职工人数")));
    EXPECT_EQ(sheet.formula(2, 3), QStringLiteral("B2*2"));
    EXPECT_EQ(sheet.formula(3, 3), QStringLiteral("B3*2")); // the shared formula, moved along
    sheet.setCell(QStringLiteral("B2"), 70.0);
    const QString path = dir.filePath(QStringLiteral("filled.xlsx"));
    book.save(path);
    KeepForOtherReaders(path, QStringLiteral("template-filled.xlsx"));
    for (const PackagePart& part : TemplateParts()) {
        if (part.name == "xl/media/image1.png" || part.name == "xl/drawings/drawing1.xml" ||
            part.name == "xl/worksheets/_rels/sheet1.xml.rels" || part.name == "_rels/.rels") {
            EXPECT_EQ(PartOf(path, part.name.c_str()), part.bytes) << part.name;
        }
    }
    EXPECT_TRUE(PartOf(path, "xl/calcChain.xml").isEmpty());
    const QString types = QString::fromUtf8(PartOf(path, "[Content_Types].xml"));
    EXPECT_TRUE(types.contains(QStringLiteral("spreadsheetml.sheet.main+xml")));
    EXPECT_FALSE(types.contains(QStringLiteral("template")));
    EXPECT_FALSE(types.contains(QStringLiteral("calcChain")));
    EXPECT_FALSE(QString::fromUtf8(PartOf(path, "xl/_rels/workbook.xml.rels"))
                     .contains(QStringLiteral("calcChain")));
    const QString workbookXml = QString::fromUtf8(PartOf(path, "xl/workbook.xml"));
    EXPECT_TRUE(
        workbookXml.contains(QStringLiteral("<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/>")));
    EXPECT_TRUE(
        workbookXml.contains(QStringLiteral("<definedName name=\"_xlnm.Print_Area\" "
                                            "localSheetId=\"0\">'年报'!$A$1:$D$20</definedName>")));
    EXPECT_TRUE(QString::fromUtf8(PartOf(path, "xl/sharedStrings.xml"))
                    .contains(QStringLiteral(
                        "<si><r><rPr><b/></rPr><t>职工</t></r><r><t>人数</t></r></si>")));
    const QString sheetXml = QString::fromUtf8(PartOf(path, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheetXml.contains(
        QStringLiteral("<cols><col min=\"1\" max=\"3\" width=\"12\" customWidth=\"1\"/></cols>")));
    EXPECT_TRUE(sheetXml.contains(QStringLiteral(
        "<pageSetup paperSize=\"9\" orientation=\"portrait\"/><drawing r:id=\"rId1\"/>")));
    // Formula results are left to the reader: no stale 14 stays behind.
    EXPECT_EQ(SavedCell(path, "xl/worksheets/sheet1.xml", QStringLiteral("C2")),
              QStringLiteral("<c r=\"C2\"><f>B2*2</f></c>"));
}

TEST(WorkbookCellsTest, ADamagedOrMissingFileGivesAClearError) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.xlsx"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some text, no zip archive");
    file.close();
    try {
        Workbook::open(text);
        FAIL() << "a text file was opened";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(),
                  text + QStringLiteral(" 不是工作簿文件（不是 zip 压缩包：Not a zip archive）"));
    }

    // A zip archive that holds no workbook.
    const QString other = dir.filePath(QStringLiteral("other.xlsx"));
    QFile zip(other);
    ASSERT_TRUE(zip.open(QIODevice::WriteOnly));
    zip.write(WriteZipPackage({{"readme.txt", "hello"}}));
    zip.close();
    try {
        Workbook::open(other);
        FAIL() << "a zip without a workbook was opened";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(),
                  other + QStringLiteral(" 不是工作簿文件（缺少 [Content_Types].xml）"));
    }

    // A workbook cut short.
    Workbook::create().save(dir.filePath(QStringLiteral("whole.xlsx")));
    QFile whole(dir.filePath(QStringLiteral("whole.xlsx")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString cut = dir.filePath(QStringLiteral("cut.xlsx"));
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(bytes.left(bytes.size() / 2));
    cutFile.close();
    EXPECT_THROW(Workbook::open(cut), WorkbookError);

    try {
        Workbook::open(dir.filePath(QStringLiteral("missing.xlsx")));
        FAIL() << "a missing file was opened";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("无法打开工作簿文件 %1：No such file or directory")
                                    .arg(dir.filePath(QStringLiteral("missing.xlsx"))));
    }
}

TEST(WorkbookCellsTest, AFailedSaveLeavesNoFile) {
    QTemporaryDir dir;
    Workbook book = Workbook::create();
    book.sheet(1).setCell(1, 1, 1.0);
    // A folder that does not exist, and one that is a file: neither can take the workbook.
    const QString missingFolder = dir.filePath(QStringLiteral("no-such-folder/out.xlsx"));
    EXPECT_THROW(book.save(missingFolder), WorkbookError);
    EXPECT_FALSE(QFile::exists(missingFolder));
    QFile blocker(dir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underFile = dir.filePath(QStringLiteral("plain-file/out.xlsx"));
    try {
        book.save(underFile);
        FAIL() << "a workbook was saved under a file";
    } catch (const WorkbookError& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("无法写入工作簿 ") + underFile + u'：'))
            << error.text().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("plain-file")});
}

} // namespace
