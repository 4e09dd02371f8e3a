#include "CheckDatabase.h"
#include "check/LogicCheckRun.h"
#include "check/ReportFileError.h"
#include "check/ReportPath.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::check;
using kestrune::testing::CheckDatabase;
using kestrune::testing::gbkLines;
using kestrune::testing::readFile;

namespace {

const QString kDashes(80, '-');
const QString kEquals(49, '=');
// How a report whose run did not reach its end closes, in place of the totals.
const QStringList kIncomplete = {kEquals, "逻辑检查没有完成，以上结果不完整！"};

// Breaks rules 1 (no cadres at all) and 7 (a local union without x001) and
// nothing else: the rules for levels up to 3 are otherwise met.
const QVariantMap kBreaksRules1And7 = {{"d005", 1}, {"d007", 1}, {"d017", 40}, {"d031", 40}};
// Meets every rule.
const QVariantMap kClean = {{"z001", 1}};

// The report's first lines; the start time is whichever minute the run began in.
QStringList reportHead(const QDateTime& before, const QByteArray& report) {
    const QString format = "yyyy年MM月dd日 hh:mm";
    QString time = before.toString(format);
    const QString later = QDateTime::currentDateTime().toString(format);
    if (!report.contains(gbkLines({"#检查时间：" + time})))
        time = later;
    return {"#2020基层以上调查表逻辑检查结果", "#检查时间：" + time, "", ""};
}

class CheckRunTest : public ::testing::Test {
protected:
    void SetUp() override { nameFields(database); }

    // Short captions of the fields that rules 1 and 7 name.
    static void nameFields(CheckDatabase& db) {
        db.setCaption("z001", "专职干部");
        db.setCaption("z003", "兼职干部");
        db.setCaption("c904", "层次");
        db.setCaption("x001", "干部数");
    }

    CheckOutcome check(const CheckSelection& selection) {
        return RunLogicCheck(database.connection(), explainer, database.ui, selection,
                             database.label());
    }

    // The rule blocks of a record that breaks rules 1 and 7.
    static QStringList rules1And7(const QString& heading) {
        return {heading,
                kDashes,
                "  判断规则：z001 + z003 > 0",
                "  规则说明：[专职干部] + [兼职干部] 必须大于 0",
                "",
                "  判断规则：(c904<4 and x001>0)or c904 >3",
                "  规则说明：[层次]必须小于4 and [干部数]必须大于0)or [层次] 必须大于3",
                ""};
    }

    CheckDatabase database;
    RuleExplainer explainer{database.connection(), database.ui};
};

TEST_F(CheckRunTest, ARecordBreakingTwoRulesIsReportedOnceWithBothRules) {
    database.addRecord(100000000001.0, "第一工会", kBreaksRules1And7, 3, 1, 0);
    const QDateTime before = QDateTime::currentDateTime();
    const CheckOutcome outcome = check(CheckSelection::allRecords());

    const QByteArray report = readFile(database.reportPath());
    const QStringList lines =
        reportHead(before, report) + rules1And7("100000000001  第一工会的数据有错误") +
        QStringList{kEquals, "共有1个单位的数据存在逻辑错误！", "共有2个逻辑错误项！"};
    EXPECT_EQ(report, gbkLines(lines));
    // The closing total, byte for byte in GBK with CR LF.
    EXPECT_TRUE(report.endsWith(QByteArray::fromHex("b9b2d3d031b8f6b5a5cebbb5c4cafdbeddb4e6d4"
                                                    "dac2dfbcadb4edcef3a3a10d0a"
                                                    "b9b2d3d032b8f6c2dfbcadb4edcef3cfeea3a10d0a")));
    EXPECT_EQ(database.recordState(100000000001.0), 2);
    EXPECT_EQ(outcome.checked, 1);
    EXPECT_EQ(outcome.failedUnits, 1);
    EXPECT_EQ(outcome.failedItems, 2);
    EXPECT_EQ(outcome.reportPath, database.reportPath());
    EXPECT_EQ(database.ui.openedFiles, QStringList{database.reportPath()});
    EXPECT_TRUE(database.ui.messages.empty());
}

TEST_F(CheckRunTest, CleanRecordsAreStatedOneAndTheReportKeepsItsHeadOnly) {
    database.addRecord(100000000002.0, "第二工会", kClean, 4, 1, 2);
    database.addRecord(100000000003.0, "第三工会", kClean, 4, 2, QVariant());
    const QDateTime before = QDateTime::currentDateTime();
    const CheckOutcome outcome = check(CheckSelection::allRecords());

    const QByteArray report = readFile(database.reportPath());
    EXPECT_EQ(report, gbkLines(reportHead(before, report)));
    EXPECT_EQ(database.recordState(100000000002.0), 1);
    EXPECT_EQ(database.recordState(100000000003.0), 1);
    EXPECT_EQ(outcome.checked, 2);
    EXPECT_EQ(database.ui.messageTexts(), QStringList{"恭喜你，所检查的数据没有逻辑错误"});
    EXPECT_TRUE(database.ui.openedFiles.isEmpty());

    // A selection without records is just as free of errors.
    database.ui.messages.clear();
    EXPECT_EQ(check(CheckSelection::unitCodes({999999999999.0})).checked, 0);
    EXPECT_EQ(database.ui.messageTexts(), QStringList{"恭喜你，所检查的数据没有逻辑错误"});
}

TEST_F(CheckRunTest, RecordsThatReportTheirCoverOnlyAreNeverChecked) {
    database.addRecord(100000000001.0, "撤销的工会", {}, 3, 3, 0);
    database.addRecord(100000000002.0, "合并的工会", {}, 3, 4, 1);
    database.addRecord(100000000003.0, "正常的工会", {}, 3, 1, 1);
    check(CheckSelection::unitCodes({100000000001.0, 100000000002.0, 100000000003.0}));
    EXPECT_EQ(database.recordState(100000000001.0), 0);
    EXPECT_EQ(database.recordState(100000000002.0), 1);
    EXPECT_EQ(database.recordState(100000000003.0), 2);
    database.connection().execute("update dt_data set RecordState=null");
    check(CheckSelection::allRecords());
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());
    EXPECT_TRUE(database.recordState(100000000002.0).isNull());
    EXPECT_EQ(database.recordState(100000000003.0), 2);
}

TEST_F(CheckRunTest, ARangeWhoseUpperCodeIsBelowTheLowerChecksTheLowerCodeAlone) {
    for (double code : {100000000001.0, 100000000002.0, 100000000003.0})
        database.addRecord(code, "工会", {}, 3);
    const auto range = CheckSelection::unitRangeFromTexts("100000000002", "100000000001");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->lowest(), 100000000002.0);
    EXPECT_EQ(range->highest(), 100000000002.0);
    EXPECT_EQ(check(*range).checked, 1);
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());
    EXPECT_EQ(database.recordState(100000000002.0), 2);
    EXPECT_TRUE(database.recordState(100000000003.0).isNull());

    EXPECT_EQ(check(CheckSelection::unitRange(100000000002.0, 100000000003.0)).checked, 2);
    EXPECT_EQ(database.recordState(100000000003.0), 2);
    // An empty or zero bound is no range; the person is asked for one.
    EXPECT_FALSE(CheckSelection::unitRangeFromTexts("", "100000000001"));
    EXPECT_FALSE(CheckSelection::unitRangeFromTexts("100000000001", "0"));
}

TEST_F(CheckRunTest, MarkedRecordsAreCheckedInUnitCodeOrder) {
    database.addRecord(100000000003.0, "丙工会", kBreaksRules1And7, 3);
    database.addRecord(100000000002.0, "乙工会", kBreaksRules1And7, 3);
    database.addRecord(100000000001.0, "甲工会", kBreaksRules1And7, 3);
    const QDateTime before = QDateTime::currentDateTime();
    check(CheckSelection::unitCodes({100000000003.0, 100000000001.0}));

    const QByteArray report = readFile(database.reportPath());
    EXPECT_EQ(
        report,
        gbkLines(reportHead(before, report) + rules1And7("100000000001  甲工会的数据有错误") +
                 rules1And7("100000000003  丙工会的数据有错误") +
                 QStringList{kEquals, "共有2个单位的数据存在逻辑错误！", "共有4个逻辑错误项！"}));
    EXPECT_TRUE(database.recordState(100000000002.0).isNull());
}

TEST_F(CheckRunTest, CorrectedRecordsAreStatedOneOnTheNextCheck) {
    database.addRecord(100000000001.0, "第一工会", {{"b011", 0}, {"b012", 0.5}, {"z001", 1}}, 4);
    check(CheckSelection::allRecords());
    EXPECT_EQ(database.recordState(100000000001.0), 2);
    const QByteArray report = readFile(database.reportPath());
    EXPECT_TRUE(
        report.contains(gbkLines({"  判断规则：(b011+b012=0) or (b011*b012>0 and b012>b011)"})));

    database.connection().execute("update dt_data set b011=1, b012=1.5");
    check(CheckSelection::allRecords());
    EXPECT_EQ(database.recordState(100000000001.0), 1);
}

TEST_F(CheckRunTest, PausingCommitsTheStatesAndResumingGoesOnFromTheSameRecord) {
    for (int i = 1; i <= 5; ++i)
        database.addRecord(100000000000.0 + i, "工会", i % 2 ? kBreaksRules1And7 : kClean,
                           i % 2 ? 3 : 4);
    LogicCheckRun run(database.connection(), explainer, database.ui);
    run.start(CheckSelection::allRecords(), database.label());
    EXPECT_EQ(run.total(), 5);
    EXPECT_TRUE(run.step(3));
    run.pause();
    EXPECT_EQ(run.status(), CheckRunStatus::Paused);

    // Another connection sees the three states: they are committed.
    db::Connection other;
    other.open(database.databasePath());
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState is not null"), 3);
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState=2"), 2);

    EXPECT_TRUE(run.step(10)); // nothing happens while paused
    EXPECT_EQ(run.done(), 3);
    EXPECT_EQ(run.failedUnits(), 2);
    run.resume();
    EXPECT_TRUE(run.step());
    EXPECT_EQ(run.done(), 4);
    EXPECT_FALSE(run.step(10));
    EXPECT_EQ(run.status(), CheckRunStatus::Finished);
    EXPECT_EQ(run.done(), 5);
    EXPECT_EQ(run.failedUnits(), 3);
    EXPECT_EQ(run.failedItems(), 6);
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState=1"), 2);
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState=2"), 3);
    EXPECT_EQ(database.ui.openedFiles, QStringList{database.reportPath()});
}

TEST_F(CheckRunTest, StoppingKeepsTheStatesWrittenAndLeavesTheReportWithoutTotals) {
    const int records = 300;
    database.connection().begin();
    for (int i = 1; i <= records; ++i)
        database.addRecord(100000000000.0 + i, "工会", kBreaksRules1And7, 3);
    database.connection().commit();

    const QDateTime before = QDateTime::currentDateTime();
    {
        LogicCheckRun run(database.connection(), explainer, database.ui);
        run.start(CheckSelection::allRecords(), database.label());
        EXPECT_TRUE(run.step(200));
        // While the run goes (or if the program is killed now) the report's
        // file says that it is incomplete.
        const QByteArray meanwhile = readFile(database.reportPath());
        EXPECT_EQ(meanwhile, gbkLines(reportHead(before, meanwhile) + kIncomplete));
        run.stop();
        EXPECT_EQ(run.status(), CheckRunStatus::Stopped);
        EXPECT_FALSE(run.step());
        EXPECT_EQ(run.done(), 200);
    }
    db::Connection other;
    other.open(database.databasePath());
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState=2"), 200);
    EXPECT_EQ(other.scalar("select max(c901) from dt_data where RecordState=2"), 100000000200.0);
    EXPECT_EQ(other.scalar("select count(*) from dt_data where RecordState is null"), 100);

    const QByteArray report = readFile(database.reportPath());
    EXPECT_TRUE(report.startsWith(gbkLines(reportHead(before, report))));
    EXPECT_TRUE(
        report.endsWith(gbkLines(rules1And7("100000000200  工会的数据有错误") + kIncomplete)));
    EXPECT_EQ(report.count(gbkLines({kDashes})), 200);
    EXPECT_EQ(QDir(database.tempFolder()).entryList(QDir::Files),
              QStringList{QFileInfo(database.reportPath()).fileName()});
    EXPECT_TRUE(database.ui.openedFiles.isEmpty());
    EXPECT_TRUE(database.ui.messages.empty());
}

TEST_F(CheckRunTest, AReportThatCannotBeWrittenStopsTheRunBeforeAnyState) {
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    const QByteArray temp = qgetenv("TEMP");
    qputenv("TEMP", QDir(database.tempFolder()).filePath("missing").toUtf8());
    try {
        check(CheckSelection::allRecords());
        ADD_FAILURE() << "the run went on without its report";
    } catch (const ReportFileError& e) {
        EXPECT_TRUE(e.text().startsWith("无法写入逻辑检查结果文件“" + database.tempFolder() +
                                        "/missing/2020基层以上-默认数据库-逻辑检查结果.txt”："))
            << e.what();
    }
    qputenv("TEMP", temp);
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());
    EXPECT_TRUE(database.ui.messages.empty());
}

TEST_F(CheckRunTest, AFailedRunLeavesAReportThatSaysItIsIncomplete) {
    for (int i = 1; i <= 3; ++i)
        database.addRecord(100000000000.0 + i, "工会", kBreaksRules1And7, 3);
    // The third record's state cannot be written: the database refuses it.
    database.connection().execute(
        "create trigger refuse_third before update of RecordState on dt_data "
        "when new.c901=100000000003 begin select raise(abort, '拒绝写入'); end");
    const QDateTime before = QDateTime::currentDateTime();
    EXPECT_THROW(check(CheckSelection::allRecords()), db::EngineError);

    const QByteArray report = readFile(database.reportPath());
    EXPECT_EQ(report,
              gbkLines(reportHead(before, report) + rules1And7("100000000001  工会的数据有错误") +
                       rules1And7("100000000002  工会的数据有错误") +
                       rules1And7("100000000003  工会的数据有错误") + kIncomplete));
    EXPECT_EQ(database.recordState(100000000002.0), 2);
    EXPECT_TRUE(database.ui.openedFiles.isEmpty());
}

TEST_F(CheckRunTest, AnotherCheckOnTheSameReportPathNeitherMixesNorCutsTheReport) {
    // Two databases with the same label, as two program folders of one
    // clerk: their checks share one report file in TEMP.
    for (int i = 1; i <= 3; ++i)
        database.addRecord(100000000000.0 + i, "甲工会", kBreaksRules1And7, 3);
    const QDateTime before = QDateTime::currentDateTime();
    LogicCheckRun first(database.connection(), explainer, database.ui);
    first.start(CheckSelection::allRecords(), database.label());
    EXPECT_TRUE(first.step(1));
    // Paused, as from its dialog: what it has written is handed to the system.
    first.pause();

    CheckDatabase other;
    nameFields(other);
    other.addRecord(100000000009.0, "乙工会", kBreaksRules1And7, 3);
    ASSERT_EQ(other.label(), database.label());
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KESTRUNE_HOME", other.programFolder());
    environment.insert("TEMP", database.tempFolder());
    second.setProcessEnvironment(environment);
    second.start(KESTRUNE_CLI, {"--quiet", "check", "--all"});
    ASSERT_TRUE(second.waitForFinished(-1));
    EXPECT_EQ(second.exitCode(), 1) << second.readAllStandardError().toStdString();

    // The second check's report is whole, untouched by the first run.
    const QByteArray secondReport = readFile(database.reportPath());
    EXPECT_EQ(
        secondReport,
        gbkLines(reportHead(before, secondReport) + rules1And7("100000000009  乙工会的数据有错误") +
                 QStringList{kEquals, "共有1个单位的数据存在逻辑错误！", "共有2个逻辑错误项！"}));

    first.resume();
    EXPECT_FALSE(first.step(10));
    const QByteArray firstReport = readFile(database.reportPath());
    EXPECT_EQ(
        firstReport,
        gbkLines(reportHead(before, firstReport) + rules1And7("100000000001  甲工会的数据有错误") +
                 rules1And7("100000000002  甲工会的数据有错误") +
                 rules1And7("100000000003  甲工会的数据有错误") +
                 QStringList{kEquals, "共有3个单位的数据存在逻辑错误！", "共有6个逻辑错误项！"}));
    EXPECT_EQ(QDir(database.tempFolder()).entryList(QDir::Files),
              QStringList{QFileInfo(database.reportPath()).fileName()});
}

TEST_F(CheckRunTest, WhenNoProgramOpensTheReportThePersonIsToldWhereItIs) {
    database.addRecord(100000000001.0, "第一工会", kBreaksRules1And7, 3);
    database.ui.noDefaultProgram = true;
    check(CheckSelection::allRecords());
    EXPECT_EQ(database.ui.openedFiles, QStringList{database.reportPath()});
    EXPECT_EQ(database.ui.messageTexts(),
              QStringList{"数据存在逻辑错误，检查结果保存在“" + database.reportPath() +
                          "”，请用文本编辑程序打开查看。"});
    EXPECT_EQ(database.ui.messages.at(0).kind, shell::MessageKind::Warning);
}

TEST(ReportPathTest, LabelsAreMadeFitForAFileName) {
    EXPECT_EQ(reportFileLabel("默认数据库"), "默认数据库");
    EXPECT_EQ(reportFileLabel("济南市/历下区总工会"), "济南市_历下区总工会");
    EXPECT_EQ(reportFileLabel("a\\b/c:d*e?f\"g<h>i|j\tk\x01l\x7fm"), "a_b_c_d_e_f_g_h_i_j_k_l_m");

    // 100 Chinese characters take 300 bytes in UTF-8. With the rest of the
    // name (40 bytes) and the 7 bytes the temporary file's name adds, the
    // label keeps 69 characters: 247 bytes in all, 254 for the temporary name.
    const QString longLabel = QString("山东省济南市历下区总工会").repeated(9).left(100);
    ASSERT_EQ(longLabel.size(), 100);
    EXPECT_EQ(reportFileLabel(longLabel), longLabel.left(69));
    const QString name = QFileInfo(checkReportPath(longLabel)).fileName();
    EXPECT_EQ(QFile::encodeName(name).size(), 247);
    // A character outside the basic plane is never cut in half: here its
    // four bytes would not fit, its first half alone would.
    const QString start = "a" + QString(68, u'工');
    EXPECT_EQ(reportFileLabel(start + QString::fromUcs4(U"\U00020000")), start);
}

} // namespace
