#include "shell/ListExport.h"

#include "ExportListCommand.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/Statement.h"
#include "shell/AccessExport.h"
#include "shell/ExcelExport.h"
#include "shell/ExportTableList.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/ui/SaveListForm.h"
#include "support/CapturedConsole.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"
#include "workbook/StreamedWorkbook.h"
#include "workbook/ZipPackage.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// Every filled cell of the first sheet as "A1|value|number format|bold size",
// read by an independent reader; empty when openpyxl is not installed.
QStringList readCells(const QString& path) {
    const QString script =
        QStringLiteral("import sys, openpyxl\n"
                       "wb = openpyxl.load_workbook(sys.argv[1])\n"
                       "ws = wb.worksheets[0]\n"
                       "print('sheet|' + ws.title)\n"
                       "for row in ws.iter_rows():\n"
                       "    for c in row:\n"
                       "        if c.value is None: continue\n"
                       "        v = c.value\n"
                       "        if isinstance(v, float) and v.is_integer(): v = int(v)\n"
                       "        extra = ' bold %g' % c.font.sz if c.font.b else ''\n"
                       "        print('%s|%s|%s%s' % (c.coordinate, v, c.number_format, extra))\n");
    QProcess python;
    python.start(kPython, {QStringLiteral("-c"), script, path});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

bool haveReader() {
    QProcess python;
    python.start(kPython, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return python.waitForFinished(30000) && python.exitCode() == 0;
}

class ListExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        ASSERT_TRUE(StartSession(session, ui));
        documents = env.path("documents");
        WriteRegText("Personal", documents, RegistryRoot::CurrentUser, kShellFoldersKey);
    }
    db::Connection& connection() { return session.database.connection(); }
    void addRecords() {
        connection().execute("insert into dt_data (c901, c902, c903, RecordState, z001, d001) "
                             "values (110101000002, '乙单位', 3, 1, 2.5, 7)");
        connection().execute("insert into dt_data (c901, c902, c903, RecordState, z001) "
                             "values (110101000001, '甲单位', 2, 0, 1234.5)");
    }
    ExportQuery coverQuery() {
        return {
            &connection(), "select c901,c902,c903 from dt_data where c901>? order by c901", {100}};
    }

    TestEnvironment env;
    ScriptedInteraction ui;
    Session session;
    QString documents;
};

TEST_F(ListExportTest, NameRules) {
    EXPECT_EQ(ExcelTargetName("/d/report"), "/d/report.xlsx");
    EXPECT_EQ(ExcelTargetName("/d/report.xlsx"), "/d/report.xlsx");
    EXPECT_EQ(ExcelTargetName("/d/report.XLSX"), "/d/report.XLSX");
    EXPECT_EQ(ExcelTargetName("/d/report.xls"), "/d/report.xls.xlsx");
    EXPECT_EQ(AccessTargetName("/d/out"), "/d/out.mdb");
    EXPECT_EQ(AccessTargetName("/d/out.mdb"), "/d/out.mdb");
    EXPECT_EQ(AccessTargetName("a.db"), "a.db");
    EXPECT_EQ(ProposedExportName("工会数据列表", QDate(2026, 12, 8)), "工会数据列表-2026-12-08");
}

TEST_F(ListExportTest, EmptyQueryWritesNothing) {
    EXPECT_FALSE(SaveQueryAsExcel(coverQuery(), "空", ResultDescriptors(coverQuery()), ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"SaveQueryAsExcel出错:数据表为空，不能导出！"});
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_FALSE(SaveQueryAsAccess(coverQuery(), std::nullopt, "空", ui));
    EXPECT_EQ(ui.messageTexts().last(), "SaveQueryAsAccess:：出错:数据表为空，不能导出！");
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(QDir(documents).entryList(QDir::Files).isEmpty());
}

TEST_F(ListExportTest, WorkbookHoldsDateHeadingsAndTypedRows) {
    addRecords();
    const QString label = session.database.label();
    ui.fileAnswers = {documents + "/report"};
    ASSERT_TRUE(
        SaveQueryAsExcel(coverQuery(), ListExportName(label), ResultDescriptors(coverQuery()), ui));
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& dialog = ui.fileDialogs[0];
    EXPECT_EQ(dialog.title, "导出文件存放为");
    EXPECT_EQ(dialog.filter, "Excel 文件(*.xlsx)|*.xlsx");
    EXPECT_EQ(dialog.initialFolder, documents);
    EXPECT_TRUE(QDir(documents).exists()); // created for the dialog
    EXPECT_EQ(dialog.proposedName,
              ListExportName(label) + "-" + QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_TRUE(dialog.confirmOverwrite);
    const QString file = documents + "/report.xlsx";
    EXPECT_EQ(ui.messageTexts(), QStringList{"Excel文件已经正确导出到：'" + file});
    EXPECT_EQ(ui.progressLog,
              QStringList({"start 2 0", "caption 数据导出...100%", "step", "step", "finish"}));
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"report.xlsx"});
    if (!haveReader())
        GTEST_SKIP() << "no openpyxl to read the workbook back";
    const QString money = "￥#,##0.00;￥-#,##0.00";
    const QStringList expected = {
        "sheet|" + workbook::StreamedWorkbook::SheetName(ListExportName(label)),
        "A2|导出日期:|General bold 12",
        "B2|" + QDate::currentDate().toString("yyyy-MM-dd") + "|@",
        "A3|c901|General",
        "B3|c902|General",
        "C3|c903|General",
        "A5|110101000001|" + money,
        "B5|甲单位|@",
        "C5|2|#,##0_ ",
        "A6|110101000002|" + money,
        "B6|乙单位|@",
        "C6|3|#,##0_ ",
    };
    EXPECT_EQ(readCells(file), expected);
}

TEST_F(ListExportTest, StatementForEachChoiceBindsItsValues) {
    ListExportRequest all;
    ListStatement built = BuildListStatement(connection(), ",z001", all);
    ASSERT_TRUE(built.query);
    EXPECT_EQ(built.query->sql, "select c901,c902,c903,c904,c905,c906,c907,RecordState,z001 "
                                "from dt_data order by c901");
    EXPECT_TRUE(built.query->params.isEmpty());

    ListExportRequest range{ListExportChoice::UnitRange, "110101000009", "110101000001", {}};
    built = BuildListStatement(connection(), "", range);
    ASSERT_TRUE(built.query);
    EXPECT_EQ(built.query->sql, "select c901,c902,c903,c904,c905,c906,c907,RecordState "
                                "from dt_data where c901>=? and c901<=? order by c901");
    EXPECT_EQ(built.query->params, QVariantList({110101000009.0, 110101000009.0}));
    EXPECT_EQ(built.raisedToText, "110101000009");

    range.toText.clear();
    built = BuildListStatement(connection(), "", range);
    EXPECT_FALSE(built.query);
    EXPECT_EQ(built.message, "请输入单位编号的范围");

    GroupItem band{4, "北京", 110000000000, 120000000000, ">=", "<"};
    ListExportRequest group{ListExportChoice::Group, {}, {}, band};
    built = BuildListStatement(connection(), "", group);
    ASSERT_TRUE(built.query);
    EXPECT_EQ(built.query->sql, "select c901,c902,c903,c904,c905,c906,c907,RecordState "
                                "from dt_data where c901>=? and c901<? order by c901");
    EXPECT_EQ(built.query->params, QVariantList({110000000000.0, 120000000000.0}));

    group.group->lowBoundary = 0;
    EXPECT_EQ(BuildListStatement(connection(), "", group).message, "自定义分组不正确");
    group.group->lowBoundary = 1;
    group.group->lowSymbol = "or 1=1 --";
    EXPECT_EQ(BuildListStatement(connection(), "", group).message, "自定义分组不正确");
}

TEST_F(ListExportTest, FieldsFollowTheCheckedTables) {
    std::vector<ExportTable> tables = StandardExportTables();
    for (ExportTable& table : tables)
        table.checked = false;
    EXPECT_EQ(CollectExportFields(connection(), tables), "");
    const auto bare = BuildListStatement(connection(), "", ListExportRequest{});
    QStringList names;
    for (const TFieldData& field : ResultDescriptors(*bare.query)) {
        names << field.ShowName + "=" + field.Hint + ":" + field.FieldType;
        EXPECT_TRUE(field.QueryShow);
    }
    EXPECT_EQ(names,
              QStringList({"c901=c901:DOUBLE", "c902=c902:VARCHAR(60)", "c903=c903:INTEGER",
                           "c904=c904:INTEGER", "c905=c905:VARCHAR(50)", "c906=c906:VARCHAR(50)",
                           "c907=c907:INTEGER", "RecordState=RecordState:INTEGER"}));

    tables[0].checked = true; // 表一: z fields of the catalogue
    const QString fields = CollectExportFields(connection(), tables);
    EXPECT_TRUE(fields.startsWith(",z001,z002,")) << fields.toStdString();
    for (const QString& name : fields.mid(1).split(','))
        EXPECT_TRUE(name.contains('z')) << name.toStdString();
}

TEST_F(ListExportTest, InstalledTableListHasTheFourteenTablesChecked) {
    const auto installed =
        ReadExportTables(kestrune::testing::builtProgramFile(kExportTableFileName));
    const auto standard = StandardExportTables();
    ASSERT_EQ(installed.size(), 14u);
    for (size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(installed[i].caption, standard[i].caption);
        EXPECT_TRUE(installed[i].checked);
    }
    EXPECT_EQ(installed[11].caption, "附表1  工会干部队伍情况");
    const auto parsed = ParseExportTables("# note\n[ ] 表一\n\n[x] 表二\n");
    EXPECT_FALSE(parsed[0].checked);
    EXPECT_TRUE(parsed[1].checked);
    EXPECT_EQ(parsed[1].caption, "表二");
    EXPECT_EQ(parsed[2].caption, "表三 工会权益保障及集体合同工作");
}

TEST_F(ListExportTest, DatabaseExportReplacesTheTableWithTheExactRows) {
    addRecords();
    connection().execute("update dt_data set c903=null where c901=110101000001");
    const QString file = documents + "/out.mdb";
    QDir().mkpath(documents);
    db::createDatabase(file);
    {
        db::Connection old;
        old.open(file);
        old.execute("create table LISTOUT (x INTEGER)");
        old.execute("insert into LISTOUT values (1)");
        old.execute("create table listout1 (y INTEGER)");
    }
    ui.fileAnswers = {documents + "/out"};
    ASSERT_TRUE(SaveQueryAsAccess(coverQuery(), std::nullopt, "ListOut", ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"Access文件已经正确导出到：'" + file + "'！"});
    EXPECT_EQ(ui.fileDialogs[0].filter, "Access文件(*.mdb)|*.mdb");
    db::Connection written;
    written.open(file);
    EXPECT_EQ(written.tableNames(), QStringList{"ListOut"});
    QStringList rows;
    written.forEachRow("select c901, c902, c903, typeof(c903) from ListOut order by rowid", {},
                       [&rows](const db::Statement& row) {
                           rows << QString::number(row.doubleValue(0), 'f', 0) + "|" + row.text(1) +
                                       "|" + row.text(2) + "|" + row.text(3);
                       });
    // A blank number is written as 0.
    EXPECT_EQ(rows,
              QStringList({"110101000001|甲单位|0|integer", "110101000002|乙单位|3|integer"}));
    EXPECT_EQ(written.scalar("select sql from sqlite_master where name='ListOut'").toString(),
              "CREATE TABLE ListOut([c901] DOUBLE,[c902] VARCHAR(60),[c903] INTEGER)");
}

TEST_F(ListExportTest, FailedWriteLeavesNoFile) {
    addRecords();
    // A folder that cannot be written to: the workbook is never begun.
    const QString missing = env.path("no/such/folder/report.xlsx");
    EXPECT_FALSE(
        WriteQueryWorkbook(coverQuery(), "表", ResultDescriptors(coverQuery()), missing, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("运行中发生错误：不能在"));
    EXPECT_TRUE(ui.messages[0].text.endsWith(",请与系统管理员或软件发行者联系。"));
    EXPECT_FALSE(QFile::exists(missing));

    // Given up half-way: neither the workbook nor its temporary file stays,
    // and an older file of that name is left as it was.
    const QString target = env.path("kept.xlsx");
    kestrune::testing::writeFile(target, "old");
    {
        workbook::StreamedWorkbook book(target, "表");
        book.writeText(1, 1, "甲");
        book.writeNumber(2, 1, 1);
    }
    EXPECT_EQ(kestrune::testing::readFile(target), "old");
    EXPECT_EQ(QDir(env.programFolder()).entryList({"~*"}, QDir::Files | QDir::Hidden),
              QStringList());
    workbook::StreamedWorkbook rows(env.path("order.xlsx"), "表");
    rows.writeNumber(3, 1, 1);
    EXPECT_THROW(rows.writeNumber(2, 1, 1), workbook::WorkbookError); // rows only go forward
}

} // namespace

namespace {

QByteArray partText(const QString& path, const std::string& name) {
    for (const workbook::PackagePart& part : workbook::ReadZipPackage(path))
        if (part.name == name)
            return part.bytes;
    return {};
}

// The dialog, as the person uses it, and the command line write the same
// workbook for the same choice: a range typed backwards is turned round, and
// the group choice is refused without groups.
TEST_F(ListExportTest, TheDialogAndTheCommandLineWriteTheSameWorkbook) {
    addRecords();
    TdlgSaveListForm dialog(connection(), session.database.label(),
                            env.path(QString(kExportTableFileName)), ui);
    EXPECT_FALSE(dialog.groupChoice()->isEnabled());
    QTest::keyClicks(dialog.fromEdit(), "110101000002");
    EXPECT_TRUE(dialog.rangeChoice()->isChecked()); // typing in "从" chooses the range
    dialog.toEdit()->setText("110101000001");
    const QString fromDialog = env.path("dialog.xlsx");
    ui.fileAnswers.push_back(fromDialog);
    dialog.exportButton()->click();
    EXPECT_EQ(dialog.toEdit()->text().toStdString(), "110101000002");
    EXPECT_TRUE(dialog.exportButton()->isEnabled());
    ASSERT_TRUE(QFile::exists(fromDialog)) << ui.messageTexts().join('|').toStdString();

    kestrune::testing::CapturedConsole console;
    QString printed;
    QTextStream out(&printed);
    const QString fromCommand = env.path("command.xlsx");
    ASSERT_EQ(cli::runExportList({"--range", "110101000002", "110101000001", "--out", fromCommand},
                                 console.ui, out),
              0);
    EXPECT_EQ(printed, fromCommand + "\n");
    for (const std::string part : {"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/workbook.xml"})
        EXPECT_EQ(partText(fromDialog, part), partText(fromCommand, part)) << part;
    EXPECT_TRUE(partText(fromCommand, "xl/worksheets/sheet1.xml").contains("110101000002"));
    EXPECT_FALSE(partText(fromCommand, "xl/worksheets/sheet1.xml").contains("110101000001<"));

    dialog.btnReturnClick();
    EXPECT_FALSE(ReadShownPartChoice());
}

} // namespace
