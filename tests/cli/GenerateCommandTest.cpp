#include "GenerateCommand.h"

#include "schema/Connection.h"
#include "schema/ProtectedFile.h"
#include "shell/ProgramFolder.h"
#include "support/CapturedConsole.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::TestEnvironment;

namespace {

struct GenerateRun {
    int code;
    QString out;
    QString messages;
};

GenerateRun generate(const QStringList& arguments) {
    QString out;
    QTextStream stream(&out);
    kestrune::testing::CapturedConsole console(false);
    const int code = cli::runGenerate(arguments, console.ui, stream);
    stream.flush();
    return {code, out, console.messages() + console.errors()};
}

qint64 recordsIn(const QString& path) {
    db::Connection connection;
    connection.open(path);
    return connection.scalar("select count(*) from dt_data").toLongLong();
}

TEST(GenerateCommandTest, AddsTheRecordsToTheInstalledDatabaseAndSaysHowMany) {
    TestEnvironment env;
    const QString path = env.installDatabase();
    const GenerateRun run = generate({"--count", "25", "--seed", "3"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "已添加 25 条记录（随机种子 3）\n");
    EXPECT_EQ(run.messages, "");
    EXPECT_EQ(recordsIn(path), 25);

    const GenerateRun again = generate({"--seed", "3", "--count", "5"});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(recordsIn(path), 30);
}

TEST(GenerateCommandTest, WithoutASeedOneIsDrawnAndPrinted) {
    TestEnvironment env;
    env.installDatabase();
    const GenerateRun run = generate({"--count", "2"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith("已添加 2 条记录（随机种子 ")) << run.out.toStdString();
}

TEST(GenerateCommandTest, WrongArgumentsEndWithCode2AndTouchNothing) {
    TestEnvironment env;
    const QString path = env.installDatabase();
    const QList<QStringList> wrong = {{},
                                      {"--count"},
                                      {"--count", "0"},
                                      {"--count", "-4"},
                                      {"--count", "ten"},
                                      {"--count", "1000001"},
                                      {"--count", "5", "--seed", "-1"},
                                      {"--seed", "7"},
                                      {"--count", "5", "--colour", "red"},
                                      {"5"}};
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const GenerateRun run = generate(arguments);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.messages.contains("用法：generate --count 记录数 [--seed 随机种子]"));
    }
    // The database was not even opened: it still has its password.
    EXPECT_TRUE(db::ProtectedFile::isProtectedFile(path));
}

TEST(GenerateCommandTest, WithoutADatabaseNothingIsAddedAndTheRunFails) {
    TestEnvironment env;
    const GenerateRun run = generate({"--count", "5"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.messages.contains("没有找到系统数据文件")) << run.messages.toStdString();
}

} // namespace
