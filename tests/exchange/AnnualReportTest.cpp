#include "exchange/AnnualReport.h"

#include "PrintCommand.h"
#include "PrintDatabase.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "workbook/Workbook.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cstdio>

using namespace kestrune;
using kestrune::testing::PrintDatabase;

namespace {

// What a value of the record looks like once typed into its cell: numbers
// stay numbers, a text that reads as a number becomes one, other texts stay.
workbook::CellValue typedValue(const QVariant& value) {
    if (value.isNull())
        return std::monostate{};
    if (value.typeId() != QMetaType::QString)
        return value.toDouble();
    const QString text = value.toString();
    if (text.isEmpty())
        return std::monostate{};
    bool number = false;
    const double d = text.toDouble(&number);
    return number ? workbook::CellValue(d) : workbook::CellValue(text);
}

std::string shown(const workbook::CellValue& value) {
    if (const auto* d = std::get_if<double>(&value))
        return "number " + QString::number(*d, 'g', 17).toStdString();
    if (const auto* t = std::get_if<QString>(&value))
        return "text " + t->toStdString();
    return "empty";
}

struct PrintedCell {
    QString field;
    QString caption;
    int page = 0;
    QString place;
};

class AnnualReportTest : public PrintDatabase {
protected:
    // The catalogue rows of printed pages: a page some row with pageid>=0 names.
    std::vector<PrintedCell> printedCells() {
        std::vector<PrintedCell> cells;
        db::Dataset rows = connection().query(
            "select FieldName, Hint, printPageID, printplace from dt_fieldlist where printPageID "
            "in "
            "(select printPageID from dt_fieldlist where pageid>=0) order by ID");
        for (; !rows.eof(); rows.next())
            cells.push_back({rows.field("FieldName").asText(), rows.field("Hint").asText(),
                             int(rows.field("printPageID").asInteger()),
                             rows.field("printplace").asText()});
        return cells;
    }
    db::Dataset record(double code) {
        return connection().query("select * from view_data where c901=?", {code});
    }
    // Every printed cell of `book` against the record's row of view_data.
    void expectRecordPrinted(workbook::Workbook& book, double code) {
        db::Dataset row = record(code);
        ASSERT_EQ(row.recordCount(), 1);
        const auto cells = printedCells();
        ASSERT_EQ(cells.size(), 205u);
        for (const PrintedCell& c : cells) {
            SCOPED_TRACE(c.field.toStdString());
            workbook::Worksheet sheet = book.sheet(c.page);
            EXPECT_EQ(shown(sheet.cell(c.place)), shown(typedValue(row.value(c.field))));
            // The template's caption and code stay beside the value.
            const auto at = workbook::ParseCellAddress(c.place);
            EXPECT_EQ(shown(sheet.cell(at->row, at->column - 1)), "text " + c.field.toStdString());
            EXPECT_EQ(shown(sheet.cell(at->row, at->column - 2)),
                      "text " + c.caption.toStdString());
        }
    }
    QString handOverName(double code) {
        return "年报表-" + exchange::UnitCodeText(code) + "-" +
               QDate::currentDate().toString("yyyy-MM-dd") + ".xlsx";
    }
};

TEST_F(AnnualReportTest, EveryPrintedFieldLandsInItsCellOnItsPageAndIsHandedOver) {
    const double code = firstCode();
    const QString path = exchange::PrintAnnualReport(connection(), ui, code);
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().join('\n').toStdString();
    EXPECT_EQ(handedOver(), QStringList{handOverName(code)});
    EXPECT_EQ(path, QDir(documents).filePath(handOverName(code)));
    EXPECT_EQ(ui.openedFiles, QStringList{path});
    workbook::Workbook book = workbook::Workbook::open(path);
    QStringList names;
    for (int s = 1; s <= book.sheetCount(); ++s)
        names << book.sheet(s).name();
    EXPECT_EQ(names, (QStringList{"封面", "表1", "表2", "表3", "表3续1", "表4", "表5", "表6", "表7",
                                  "表8、表9", "表10、表11", "附表1", "附表1续", "附表2"}));
    EXPECT_EQ(shown(book.sheet(2).cell("B1")), "text 表1  工会组织建设及民主参与状况");
    EXPECT_EQ(book.activeSheet(), 1);
    expectRecordPrinted(book, code);
    EXPECT_EQ(shown(book.sheet(1).cell("D4")),
              "number " + exchange::UnitCodeText(code).toStdString());
}

TEST_F(AnnualReportTest, OnlyThePagesTheCatalogueNamesAreFilled) {
    connection().execute("update dt_fieldlist set printPageID=5 where printPageID>2");
    const QString path = exchange::PrintAnnualReport(connection(), ui, firstCode());
    ASSERT_FALSE(path.isEmpty()) << ui.messageTexts().join('\n').toStdString();
    EXPECT_EQ(ui.progressLog, (QStringList{"start 3 0", "step", "step", "step", "finish"}));
    workbook::Workbook book = workbook::Workbook::open(path);
    EXPECT_NE(shown(book.sheet(1).cell("D4")), "empty");
    EXPECT_NE(shown(book.sheet(2).cell("D4")), "empty");
    EXPECT_EQ(shown(book.sheet(3).cell("D4")), "empty");
    EXPECT_EQ(shown(book.sheet(4).cell("D4")), "empty");
    EXPECT_NE(shown(book.sheet(5).cell("D4")), "empty");
}

TEST_F(AnnualReportTest, CatalogueDecidesWhereValuesGo) {
    const double code = firstCode();
    // A row of a printed page is printed even when it has no entry page of
    // its own, and a two-letter column is a column like any other.
    connection().execute("update dt_fieldlist set PageID=-1, printplace='AB7' where "
                         "FieldName='c906'");
    connection().execute("update dt_fieldlist set printplace='D30' where FieldName='c905'");
    const QString path = exchange::PrintAnnualReport(connection(), ui, code);
    ASSERT_FALSE(path.isEmpty()) << ui.messageTexts().join('\n').toStdString();
    workbook::Workbook book = workbook::Workbook::open(path);
    db::Dataset row = record(code);
    EXPECT_EQ(shown(book.sheet(1).cell("AB7")), shown(typedValue(row.value("c906"))));
    EXPECT_EQ(shown(book.sheet(1).cell("D30")), shown(typedValue(row.value("c905"))));
    EXPECT_EQ(shown(book.sheet(1).cell("D10")), "empty");
}

TEST_F(AnnualReportTest, AMissingOrUnreadableTemplateIsReportedAsNoSpreadsheetProgram) {
    ASSERT_TRUE(QFile::remove(env.path(exchange::kPrintTemplateName)));
    EXPECT_EQ(exchange::PrintAnnualReport(connection(), ui, firstCode()), QString());
    kestrune::testing::writeFile(env.path(exchange::kPrintTemplateName), "not a workbook");
    EXPECT_EQ(exchange::PrintAnnualReport(connection(), ui, firstCode()), QString());
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{exchange::kTemplateUnavailable, exchange::kTemplateUnavailable}));
    EXPECT_EQ(ui.messages[0].kind, shell::MessageKind::Error);
    EXPECT_TRUE(handedOver().isEmpty());
    EXPECT_TRUE(ui.openedFiles.isEmpty());
    EXPECT_TRUE(ui.progressLog.isEmpty());
}

// A report that cannot be filled whole is not handed over: a half-filled
// report among the person's documents would pass for a complete one.
TEST_F(AnnualReportTest, AFillingErrorEndsTheCommandWithItsTextAndHandsNothingOver) {
    struct Fault {
        const char* change;
        const char* message;
    };
    const Fault faults[] = {
        {"update dt_fieldlist set printPageID=15 where FieldName='j005'",
         "运行中发生错误：打印模版中没有第15页"},
        {"update dt_fieldlist set FieldName='zz999' where FieldName='c906'",
         "运行中发生错误：年报表数据中没有字段zz999"},
        {"update dt_fieldlist set printplace='D' where FieldName='c906'",
         "运行中发生错误：第1页c906的位置“D”无效："},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.change);
        connection().begin();
        connection().execute(fault.change);
        ui.messages.clear();
        ui.progressLog.clear();
        EXPECT_EQ(exchange::PrintAnnualReport(connection(), ui, firstCode()), QString());
        connection().rollback();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.startsWith(fault.message))
            << ui.messages[0].text.toStdString();
        EXPECT_EQ(ui.progressLog.last(), "finish");
    }
    EXPECT_EQ(exchange::PrintAnnualReport(connection(), ui, 999999999999.0), QString());
    EXPECT_EQ(ui.messageTexts().last(), "运行中发生错误：没有统计编码为999999999999的记录");
    EXPECT_TRUE(handedOver().isEmpty());
    EXPECT_TRUE(ui.openedFiles.isEmpty());
}

TEST_F(AnnualReportTest, TheCommandLineWritesTheWorkbookTheWindowHandsOver) {
    const double code = firstCode();
    const QString handed = exchange::PrintAnnualReport(connection(), ui, code);
    ASSERT_FALSE(handed.isEmpty());
    const QString out = env.path("out/report.xlsx");
    QDir().mkpath(env.path("out"));
    shell::ConsoleInteraction console(stderr, stderr);
    console.setQuiet(true);
    QString printed;
    QTextStream stream(&printed);
    ASSERT_EQ(cli::runPrint({exchange::UnitCodeText(code), "--out", out}, console, stream), 0);
    EXPECT_EQ(printed, "年报表：" + QDir::toNativeSeparators(out) + "\n");
    EXPECT_EQ(QDir(env.path("out")).entryList(QDir::Files), QStringList{"report.xlsx"});
    EXPECT_EQ(handedOver().size(), 1); // no hand-over from the command line
    workbook::Workbook a = workbook::Workbook::open(handed);
    workbook::Workbook b = workbook::Workbook::open(out);
    ASSERT_EQ(a.sheetCount(), b.sheetCount());
    for (int s = 1; s <= a.sheetCount(); ++s) {
        workbook::Worksheet x = a.sheet(s), y = b.sheet(s);
        ASSERT_EQ(x.name(), y.name());
        ASSERT_EQ(x.lastRow(), y.lastRow());
        ASSERT_EQ(x.lastColumn(), y.lastColumn());
        for (int r = 1; r <= x.lastRow(); ++r)
            for (int c = 1; c <= x.lastColumn(); ++c)
                EXPECT_EQ(shown(x.cell(r, c)), shown(y.cell(r, c))) << s << ' ' << r << ' ' << c;
    }
    EXPECT_EQ(cli::runPrint({"12x", "--out", out}, console, stream), 2);
    EXPECT_EQ(cli::runPrint({exchange::UnitCodeText(code)}, console, stream), 2);
}

// An independent reader finds the same values where the catalogue puts them.
TEST_F(AnnualReportTest, APythonReaderSeesEveryPrintedValue) {
    QProcess probe;
    probe.start("/usr/bin/python3", {"-c", "import openpyxl"});
    if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        GTEST_SKIP() << "no /usr/bin/python3 with openpyxl";
    const double code = firstCode();
    const QString path = exchange::PrintAnnualReport(connection(), ui, code);
    ASSERT_FALSE(path.isEmpty());
    const char* script = R"(
import json, sys, warnings
import openpyxl
with warnings.catch_warnings(record=True) as caught:
    warnings.simplefilter("always")
    book = openpyxl.load_workbook(sys.argv[1])
cells = {}
for number, sheet in enumerate(book.worksheets, 1):
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                cells["%d!%s" % (number, cell.coordinate)] = cell.value
print(json.dumps({"warnings": [str(w.message) for w in caught], "cells": cells}))
)";
    QProcess reader;
    reader.start("/usr/bin/python3", {"-c", script, path});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject read = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    EXPECT_TRUE(read["warnings"].toArray().isEmpty());
    const QJsonObject cells = read["cells"].toObject();
    db::Dataset row = record(code);
    for (const PrintedCell& c : printedCells()) {
        SCOPED_TRACE(c.field.toStdString());
        const QJsonValue value = cells[QString("%1!%2").arg(c.page).arg(c.place)];
        const workbook::CellValue got = value.isDouble()   ? workbook::CellValue(value.toDouble())
                                        : value.isString() ? workbook::CellValue(value.toString())
                                                           : workbook::CellValue(std::monostate{});
        EXPECT_EQ(shown(got), shown(typedValue(row.value(c.field))));
    }
}

} // namespace
