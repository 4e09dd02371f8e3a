// An independent reader opens what the engine writes: openpyxl, through the
// system's Python.

#include "WorkbookFiles.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kestrune::workbook;
using namespace kestrune::workbook::testing;

namespace {

const char kPython[] = "/usr/bin/python3";

bool OpenpyxlInstalled() {
    if (!QFile::exists(QString::fromLatin1(kPython)))
        return false;
    QProcess probe;
    probe.start(QString::fromLatin1(kPython),
                {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return probe.waitForFinished(60000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

// Every sheet's cells as "sheet!A1=value" lines, values as openpyxl sees them
// (with data_only, the cached results of formulas), then the print setup.
QString ReadBack(const QString& path, bool dataOnly) {
    const QString script = QStringLiteral(
        "import sys, warnings, openpyxl\n"
        "warnings.simplefilter('error')\n"
        "wb = openpyxl.load_workbook(sys.argv[1], data_only=sys.argv[2] == '1')\n"
        "for ws in wb.worksheets:\n"
        "    for row in ws.iter_rows():\n"
        "        for c in row:\n"
        "            if c.value is not None:\n"
        "                print('%s!%s=%r' % (ws.title, c.coordinate, c.value))\n"
        "    print('%s merged %s' % (ws.title, sorted(str(r) for r in ws.merged_cells.ranges)))\n"
        "    print('%s titles %s paper %s %s fit %s' % (ws.title, ws.print_title_rows,\n"
        "          ws.page_setup.paperSize, ws.page_setup.orientation, "
        "ws.sheet_properties.pageSetUpPr.fitToPage if ws.sheet_properties.pageSetUpPr else None))\n"
        "print('active', wb.active.title)\n");
    QProcess python;
    python.start(
        QString::fromLatin1(kPython),
        {QStringLiteral("-c"), script, path, dataOnly ? QStringLiteral("1") : QStringLiteral("0")});
    if (!python.waitForFinished(120000))
        return QStringLiteral("python did not finish");
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}

TEST(OpenpyxlReadBackTest, AFilledWorkbookReadsBackWithoutWarnings) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("readback.xlsx"));
    Workbook book = Workbook::create();
    Worksheet sheet = book.sheet(1);
    sheet.setName(QStringLiteral("年报表"));
    sheet.setCell(QStringLiteral("A1"), QStringLiteral("工会年报"));
    sheet.mergeCells(QStringLiteral("A1:C1"));
    sheet.setTyped(QStringLiteral("A2"), QStringLiteral("110101000001"));
    sheet.setTyped(QStringLiteral("B2"), QStringLiteral("c901"));
    sheet.setCell(QStringLiteral("B9"), 1.0);
    sheet.setCell(QStringLiteral("B10"), 2.5);
    sheet.setFormula(11, 2, QStringLiteral("SUM(B9:B10)"));
    sheet.setFormula(11, 3, QStringLiteral("B9*2"));
    sheet.insertRows(10, 2);
    sheet.setFont(1, 1, true, 16);
    sheet.setNumberFormat(12, 2, QStringLiteral("0.00"));
    sheet.fitColumns(1, 3);
    sheet.setPageSetup(PageOrientation::Landscape, 1, 2);
    Worksheet extra = book.addSheet(QStringLiteral("删除"));
    extra.setCell(1, 1, 1.0);
    book.addSheet(QStringLiteral("Notes")).setCell(1, 1, QStringLiteral("备注"));
    book.setActiveSheet(3);
    book.deleteSheet(2);
    book.save(path);
    KeepForOtherReaders(path, QStringLiteral("readback.xlsx"));
    if (!OpenpyxlInstalled())
        GTEST_SKIP() << "/usr/bin/python3 has no openpyxl";

    EXPECT_EQ(ReadBack(path, true),
              QStringLiteral("年报表!A1='工会年报'\n"
                             "年报表!A2=110101000001\n"
                             "年报表!B2='c901'\n"
                             "年报表!B9=1\n"
                             "年报表!B12=2.5\n"
                             "年报表!B13=3.5\n"
                             "年报表 merged ['A1:C1']\n"
                             "年报表 titles $1:$2 paper 9 landscape fit True\n"
                             "Notes!A1='备注'\n"
                             "Notes merged []\n"
                             "Notes titles None paper None None fit None\n"
                             "active Notes\n"));
    EXPECT_TRUE(ReadBack(path, false).contains(QStringLiteral("年报表!C13='=B9*2'\n")));
}

} // namespace
