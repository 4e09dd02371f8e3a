#include "shell/Maintenance.h"

#include "schema/Connection.h"
#include "shell/RecordList.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "support/StartedSession.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::readFile;
using kestrune::testing::StartedSessionTest;

namespace {

class MaintenanceTest : public StartedSessionTest {
protected:
    void SetUp() override {
        for (int i = 1; i <= 5; ++i)
            connection().execute("insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                                 {100000000000.0 + i, QString("单位%1").arg(i)});
        list.open();
        list.setCurrentRow(2);
        WriteRegText("Personal", env.path("documents"), RegistryRoot::CurrentUser,
                     kShellFoldersKey);
    }

    RecordList list{connection()};
};

TEST_F(MaintenanceTest, BackupNameRule) {
    EXPECT_EQ(BackupTargetName("/home/u/copy"), "/home/u/copy.mdb");
    EXPECT_EQ(BackupTargetName("/home/u/copy.mdb"), "/home/u/copy.mdb");
    EXPECT_EQ(BackupTargetName("/home/u/copy.MDB"), "/home/u/copy.MDB");
    EXPECT_EQ(BackupTargetName("a.db"), "a.db"); // four characters or fewer stay
}

TEST_F(MaintenanceTest, BackupCopiesEveryPageAndLeavesTheListAlone) {
    ui.fileAnswers = {env.path("copy")};
    ASSERT_TRUE(BackupDatabase(session.database, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"备份成功"});
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "备份文件存放为");
    EXPECT_EQ(ui.fileDialogs[0].filter, "Access文件(*.mdb)|*.mdb");
    EXPECT_EQ(ui.fileDialogs[0].initialFolder, env.path("documents"));
    EXPECT_TRUE(ui.fileDialogs[0].proposedName.isEmpty());
    EXPECT_TRUE(ui.fileDialogs[0].confirmOverwrite);
    EXPECT_TRUE(QDir(env.path("documents")).exists());
    // Every page as it is; only the header's change counters are the copy's own.
    const QByteArray copied = readFile(env.path("copy.mdb"));
    const QByteArray original = readFile(session.database.currentPath());
    EXPECT_EQ(copied.size(), original.size());
    EXPECT_EQ(copied.left(24), original.left(24));
    EXPECT_EQ(copied.mid(100), original.mid(100));
    EXPECT_TRUE(session.database.connection().isOpen());
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(list.currentCode(), 100000000003.0);
    db::Connection copy;
    copy.open(env.path("copy.mdb"));
    EXPECT_EQ(copy.scalar("select count(*) from dt_data").toInt(), 5);
}

// The documents folder of a Chinese desktop is "文档".
TEST_F(MaintenanceTest, ABackupUnderAChineseNameIsWritten) {
    ASSERT_TRUE(QDir().mkpath(env.path("文档")));
    ui.fileAnswers = {env.path("文档/备份")};
    ASSERT_TRUE(BackupDatabase(session.database, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"备份成功"});
    db::Connection copy;
    copy.open(env.path("文档/备份.mdb"));
    EXPECT_EQ(copy.scalar("select count(*) from dt_data").toInt(), 5);
    EXPECT_EQ(QDir(env.path("文档")).entryList(QDir::Files), QStringList{"备份.mdb"});
}

TEST_F(MaintenanceTest, ACancelledBackupDoesNothing) {
    ui.fileAnswers = {QString("  ")};
    EXPECT_FALSE(BackupDatabase(session.database, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(list.currentRow(), 2);
}

TEST_F(MaintenanceTest, ABackupThatCannotBeWrittenShowsWhyAndReopens) {
    ui.fileAnswers = {env.path("no/such/folder/copy.mdb")};
    EXPECT_FALSE(BackupDatabase(session.database, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(session.database.connection().isOpen());
    EXPECT_EQ(list.currentCode(), 100000000003.0);
}

TEST_F(MaintenanceTest, CompactionShrinksTheFileAndKeepsEveryRecord) {
    qputenv("TEMP", env.path("").toUtf8());
    session.database.connection().execute("delete from dt_data where c901 > 100000000004");
    const qint64 before = QFileInfo(session.database.currentPath()).size();
    ASSERT_TRUE(CompactDatabase(session.database, ui, &list));
    qunsetenv("TEMP");
    EXPECT_EQ(ui.messageTexts(), QStringList{"压缩操作成功"});
    EXPECT_LE(QFileInfo(session.database.currentPath()).size(), before);
    EXPECT_EQ(session.database.connection().scalar("select count(*) from dt_data").toInt(), 4);
    EXPECT_EQ(list.currentCode(), 100000000003.0);
    EXPECT_TRUE(QDir(env.programFolder()).entryList({"~SM*"}).isEmpty());
}

TEST_F(MaintenanceTest, AFailedCompactionLeavesTheFileByteIdentical) {
    session.database.close();
    const QByteArray before = readFile(session.database.currentPath());
    session.database.reopen();
    qputenv("TEMP", env.path("missing-folder").toUtf8());
    EXPECT_FALSE(CompactDatabase(session.database, ui, &list));
    qunsetenv("TEMP");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("运行中发生错误："));
    session.database.close();
    EXPECT_EQ(readFile(session.database.currentPath()), before);
    session.database.reopen();
    EXPECT_EQ(list.currentRow(), 2); // the list is open again
    EXPECT_TRUE(list.isOpen());
}

TEST_F(MaintenanceTest, RequeryReturnsToTheRowOrTheLastOne) {
    list.setCurrentRow(1);
    session.database.connection().execute("insert into dt_data (c901) values (100000000000)");
    list.requeryAndReturn();
    EXPECT_EQ(list.currentCode(), 100000000002.0);
    EXPECT_EQ(list.currentRow(), 2);
    session.database.connection().execute("delete from dt_data where c901 = 100000000002");
    list.requeryAndReturn();
    EXPECT_EQ(list.currentRow(), 4); // gone: the last row
}

} // namespace
