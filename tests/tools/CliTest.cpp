#include "CliCommand.h"
#include "CommandHelp.h"
#include "HelpText.h"
#include "schema/Connection.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using kestrune::testing::TestEnvironment;

namespace {

struct CliRun {
    int code;
    QString out;
    QString err;
};

CliRun run(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = kestrune::cli::runCli(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}

TEST(CliTest, InfoPrintsThePathTheLabelAndTheRecordCount) {
    TestEnvironment env;
    const QString path = env.installDatabase();
    const CliRun r = run({"info"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "数据库文件：" + path + "\n数据库标签：默认数据库\n记录数：0\n");
}

TEST(CliTest, ACommandOnADatabaseItCannotUseSaysWhyAndFailsWithTwo) {
    TestEnvironment env;
    const QString path = env.installDatabase();
    {
        QProcess first; // the first opening removes the password
        first.start(KESTRUNE_CLI, {"info"});
        ASSERT_TRUE(first.waitForFinished());
        kestrune::db::Connection c;
        c.open(path);
        c.execute("drop table dt_data");
    }
    QProcess info; // in this test's program and settings folders
    info.start(KESTRUNE_CLI, {"info"});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_EQ(info.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(info.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(info.readAllStandardError()),
              "运行中发生错误：no such table: dt_data\n");
}

TEST(CliTest, HelpListsTheCommandsAndUnknownOnesFail) {
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("\n  info "));
    EXPECT_EQ(run({"frobnicate"}).code, 2);
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"--colour", "info"}).code, 2);
}

TEST(CliTest, VersionAndHelpOfACommandAnswerWithoutTouchingTheDatabase) {
    TestEnvironment env; // no database: a command run would fail with 2
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "kestrune-cli (Kestrune) " KESTRUNE_VERSION "\n");

    const CliRun help = run({"help", "check"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(
        "Usage: kestrune-cli [OPTION]... check --all | --range FROM TO | --codes C,C,...\n"));
    EXPECT_TRUE(help.out.endsWith("Exit status:\n"
                                  "  0  no record checked has logic errors\n"
                                  "  1  some record has logic errors\n"
                                  "  2  wrong arguments, or the check could not run\n"))
        << help.out.toStdString();
    EXPECT_EQ(run({"check", "--range", "1", "--help"}).out, help.out);
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_EQ(run({"help", "frobnicate"}).code, 2);
    EXPECT_EQ(run({"help"}).out, run({"--help"}).out);
}

TEST(CliTest, EveryCommandIsExplainedInTheHelpAndTheManualPage) {
    const QString page = kestrune::cli::manPage();
    QStringList texts = {kestrune::cli::programHelpText()};
    for (const kestrune::cli::CliCommand& c : kestrune::cli::commands()) {
        EXPECT_FALSE(kestrune::cli::helpFor(c.name).description.isEmpty()) << c.name.toStdString();
        EXPECT_TRUE(page.contains(".SS \"" + QString(c.name).replace("-", "\\-")))
            << c.name.toStdString();
        texts << kestrune::cli::commandHelpText(c);
    }
    for (const QString& text : texts)
        for (const QString& line : text.split('\n'))
            EXPECT_LE(line.size(), 79) << line.toStdString();
}

} // namespace
