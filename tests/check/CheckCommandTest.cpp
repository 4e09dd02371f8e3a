#include "CheckCommand.h"

#include "CheckDatabase.h"
#include "support/CapturedConsole.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::CapturedConsole;
using kestrune::testing::CheckDatabase;

namespace {

struct Result {
    int code;
    QString out;
};

Result runCheck(CapturedConsole& console, const QStringList& arguments) {
    QString text;
    QTextStream out(&text);
    const int code = cli::runCheck(arguments, console.ui, out);
    out.flush();
    return {code, text};
}

TEST(CheckCommandTest, ChecksTheChosenRecordsAndExitsOneOnLogicErrors) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    database.addRecord(100000000002.0, "第二工会", {{"z001", 1}}, 4);
    database.addRecord(100000000003.0, "第三工会", {{"z001", 1}}, 4);

    CapturedConsole console;
    const Result all = runCheck(console, {"--all"});
    EXPECT_EQ(all.code, 1);
    EXPECT_EQ(all.out, "检查结果：" + database.reportPath() +
                           "\n检查的单位：3\n有逻辑错误的单位：1\n逻辑错误项：5\n");
    EXPECT_EQ(database.recordState(100000000001.0), 2);
    EXPECT_EQ(database.recordState(100000000002.0), 1);
    // Without a terminal the report is not opened, its path is printed.
    EXPECT_EQ(console.messages(), database.reportPath() + "\n");

    CapturedConsole clean;
    const Result codes = runCheck(clean, {"--codes", "100000000003,100000000002"});
    EXPECT_EQ(codes.code, 0);
    EXPECT_EQ(codes.out, "检查结果：" + database.reportPath() +
                             "\n检查的单位：2\n有逻辑错误的单位：0\n逻辑错误项：0\n");
    EXPECT_EQ(clean.messages(), "恭喜你，所检查的数据没有逻辑错误\n");

    CapturedConsole range;
    EXPECT_EQ(runCheck(range, {"--range", "100000000003", "100000000001"}).code, 0);
}

TEST(CheckCommandTest, WrongArgumentsExitTwoWithoutChecking) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    const QString usage =
        "用法：kestrune-cli check --all | --range 起始编号 终止编号 | --codes 编号,编号,...\n";
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--all", "x"}, QStringList{"--range", "1"},
          QStringList{"--range", "1", "2x"}, QStringList{"--codes", "1,a"},
          QStringList{"--codes", ""}, QStringList{"--every"}}) {
        CapturedConsole console;
        EXPECT_EQ(runCheck(console, arguments).code, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(console.errors(), usage);
    }
    CapturedConsole zero;
    EXPECT_EQ(runCheck(zero, {"--range", "0", "100000000001"}).code, 2);
    EXPECT_EQ(zero.errors(), "请输入逻辑检查的范围\n");
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());
}

TEST(CheckCommandTest, ARunThatFailsExitsTwoUnlikeOneWithLogicErrors) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    database.addRecord(100000000002.0, "第二工会", {}, 3);

    // The report cannot be created: nothing is checked.
    const QByteArray temp = qgetenv("TEMP");
    const QString missing = database.tempFolder() + "/missing";
    qputenv("TEMP", missing.toUtf8());
    CapturedConsole noReport;
    const Result unwritable = runCheck(noReport, {"--all"});
    qputenv("TEMP", temp);
    EXPECT_EQ(unwritable.code, 2);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_TRUE(noReport.errors().startsWith("运行中发生错误：无法写入逻辑检查结果文件“" + missing +
                                             "/2020基层以上-默认数据库-逻辑检查结果.txt”："))
        << noReport.errors().toStdString();
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());

    // The database refuses the second record's state halfway through.
    database.connection().execute(
        "create trigger refuse_second before update of RecordState on dt_data "
        "when new.c901=100000000002 begin select raise(abort, '拒绝写入'); end");
    CapturedConsole refused;
    const Result halfway = runCheck(refused, {"--all"});
    EXPECT_EQ(halfway.code, 2);
    EXPECT_EQ(refused.errors(), "运行中发生错误：拒绝写入,请与软件发行者联系。\n");
    EXPECT_EQ(database.recordState(100000000001.0), 2);
    EXPECT_TRUE(database.recordState(100000000002.0).isNull());
    const QByteArray report = kestrune::testing::readFile(database.reportPath());
    EXPECT_TRUE(report.endsWith(
        kestrune::testing::gbkLines({QString(49, '='), "逻辑检查没有完成，以上结果不完整！"})));
}

TEST(CheckCommandTest, LabelsThatNoFileNameCanHoldStillGiveAReport) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    const QString longLabel = QString("山东省济南市历下区总工会").repeated(9).left(100);
    const QStringList labels = {"济南市/历下区总工会", "历下区:2020*最终?版", longLabel};
    const QStringList fileLabels = {"济南市_历下区总工会", "历下区_2020_最终_版",
                                    longLabel.left(69)};
    for (qsizetype i = 0; i < labels.size(); ++i) {
        database.connection().execute("update ct_label set db_name=?", {labels[i]});
        CapturedConsole console;
        const Result result = runCheck(console, {"--all"});
        const QString report =
            database.tempFolder() + "/2020基层以上-" + fileLabels[i] + "-逻辑检查结果.txt";
        EXPECT_EQ(result.code, 1) << console.errors().toStdString();
        EXPECT_TRUE(result.out.startsWith("检查结果：" + report + "\n"))
            << result.out.toStdString();
        EXPECT_TRUE(kestrune::testing::readFile(report).startsWith(
            kestrune::testing::gbkLines({"#2020基层以上调查表逻辑检查结果"})));
    }
}

} // namespace
