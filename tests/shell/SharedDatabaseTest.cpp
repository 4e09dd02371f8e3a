// Two sessions on one database file: compaction, which replaces the file,
// waits until it is alone; backup takes one consistent moment; a compaction
// cut short leaves nothing behind for long.
#include "schema/Connection.h"
#include "schema/SessionLock.h"
#include "shell/Maintenance.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "support/StartedSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::readFile;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::StartedSessionTest;

namespace {

class SharedDatabaseTest : public StartedSessionTest {
protected:
    void SetUp() override { qputenv("TEMP", env.path("").toUtf8()); }
    void TearDown() override { qunsetenv("TEMP"); }

    int records() { return connection().scalar("select count(*) from dt_data").toInt(); }
};

TEST_F(SharedDatabaseTest, CompactionIsRefusedWhileAnotherSessionHasTheFileOpen) {
    auto other = std::make_unique<Session>();
    ScriptedInteraction otherUi;
    ASSERT_TRUE(StartSession(*other, otherUi));
    const QByteArray before = readFile(session.database.currentPath());
    EXPECT_FALSE(CompactDatabase(session.database, ui, nullptr));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"数据库文件正被其他程序使用，不能压缩。请关闭使用它的其他程序后再试。"});
    EXPECT_EQ(readFile(session.database.currentPath()), before);
    // The other session still writes to the file everyone uses.
    other->database.connection().execute("insert into dt_data (c901, RecordState) values (?, 1)",
                                         {130102000001.0});
    EXPECT_EQ(records(), 1);

    other.reset();
    ui.messages.clear();
    EXPECT_TRUE(CompactDatabase(session.database, ui, nullptr));
    EXPECT_EQ(ui.messageTexts(), QStringList{"压缩操作成功"});
    EXPECT_EQ(records(), 1);
    // Compaction is over: another session may open the file again.
    Session again;
    EXPECT_TRUE(StartSession(again, otherUi));
}

TEST_F(SharedDatabaseTest, ASecondProgramAddingRecordsLosesNoneToCompactions) {
    QProcess generator; // in this test's program and settings folders
    generator.start(KESTRUNE_CLI, {"--quiet", "generate", "--count", "400", "--seed", "7"});
    ASSERT_TRUE(generator.waitForStarted());
    while (generator.state() != QProcess::NotRunning) {
        CompactDatabase(session.database, ui, nullptr);
        generator.waitForFinished(20);
    }
    EXPECT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    for (const QString& message : ui.messageTexts())
        EXPECT_TRUE(message == "压缩操作成功" ||
                    message ==
                        "数据库文件正被其他程序使用，不能压缩。请关闭使用它的其他程序后再试。")
            << message.toStdString();
    EXPECT_EQ(records(), 400);
}

TEST_F(SharedDatabaseTest, BackupTakesOneMomentWhileAnotherProgramWrites) {
    db::Connection writer;
    writer.open(session.database.currentPath());
    writer.begin();
    writer.execute("insert into dt_data (c901, RecordState) values (?, 1)", {130102000001.0});
    WriteRegText("Personal", env.path("documents"), RegistryRoot::CurrentUser, kShellFoldersKey);
    ui.fileAnswers = {env.path("copy.mdb")};
    ASSERT_TRUE(BackupDatabase(session.database, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"备份成功"});
    writer.commit();

    db::Connection copy;
    copy.open(env.path("copy.mdb"));
    EXPECT_EQ(copy.scalar("select count(*) from dt_data").toInt(), 0); // not yet committed
    EXPECT_EQ(copy.scalar("pragma integrity_check").toString(), "ok");
    EXPECT_EQ(copy.scalar("select db_name from ct_label").toString(), "默认数据库");
    EXPECT_TRUE(QDir(env.path("")).entryList({"copy.mdb.*"}).isEmpty());
}

TEST_F(SharedDatabaseTest, CompactionRemovesWhatCompactionsCutShortLeftBehind) {
    const QString stale = env.path("~SMab12cd.tmp");
    kestrune::testing::writeFile(stale, QByteArray(4096, 'x'));
    kestrune::testing::writeFile(stale + "-journal", QByteArray(512, 'j'));
    const QString running = env.path("~SMef34gh.tmp");
    kestrune::testing::writeFile(running, QByteArray(4096, 'y'));
    kestrune::testing::writeFile(running + "-journal", QByteArray(512, 'k'));
    db::SessionLock stillWriting;
    ASSERT_TRUE(stillWriting.tryHoldFileAlone(running));

    EXPECT_TRUE(CompactDatabase(session.database, ui, nullptr));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(running));
    EXPECT_EQ(QDir(env.path("")).entryList({"~SM*"}),
              (QStringList{"~SMef34gh.tmp", "~SMef34gh.tmp-journal"}));
}

TEST_F(SharedDatabaseTest, ASessionSharesTheFileUntilItEndsAndNoneWhileItIsHeldAlone) {
    const QString path = session.database.currentPath();
    db::SessionLock probe;
    ASSERT_TRUE(probe.acquireShared(path, 0));
    EXPECT_FALSE(probe.tryAlone());
    session.database.close();
    EXPECT_FALSE(probe.tryAlone()); // a closed connection is not an ended session
    probe.release();

    ASSERT_TRUE(session.database.holdAlone());
    db::SessionLock late;
    EXPECT_FALSE(late.acquireShared(path, 0));
    session.database.share();
    EXPECT_TRUE(late.acquireShared(path, 0));
    EXPECT_TRUE(QFile::exists(env.path("2020NB_jg_20200831.ldb")));
}

} // namespace
