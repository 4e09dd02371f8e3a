#include "shell/Startup.h"

#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/ProtectedFile.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::readFile;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;
using kestrune::testing::writeFile;

namespace {

void makePlainDatabase(const QString& path, const QString& labelRows) {
    db::createDatabase(path);
    db::Connection c;
    c.open(path);
    c.executeScript("CREATE TABLE ct_label (db_name TEXT); CREATE TABLE dt_data (c901 REAL);" +
                    labelRows);
}

TEST(StartupTest, TheFirstOpeningRemovesThePasswordForGood) {
    TestEnvironment env;
    const QString path = env.installDatabase();
    ASSERT_TRUE(db::ProtectedFile::isProtectedFile(path));
    ScriptedInteraction ui;
    Session session;
    ASSERT_TRUE(StartSession(session, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(session.caption, "Kestrune - 默认数据库");
    EXPECT_EQ(session.database.label(), "默认数据库");
    EXPECT_EQ(session.database.currentPath(), path);
    EXPECT_FALSE(db::ProtectedFile::isProtectedFile(path));
    EXPECT_TRUE(readFile(path).startsWith("SQLite format 3"));
    session.database.close();

    // The next opening finds a plain file and leaves it exactly as it is.
    const QByteArray opened = readFile(path);
    Session again;
    ASSERT_TRUE(StartSession(again, ui));
    EXPECT_EQ(again.caption, "Kestrune - 默认数据库");
    again.database.close();
    EXPECT_EQ(readFile(path), opened);
}

TEST(StartupTest, AMissingDatabaseEndsTheProgramWithItsMessage) {
    TestEnvironment env;
    ScriptedInteraction ui;
    Session session;
    EXPECT_FALSE(StartSession(session, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "没有找到系统数据文件，请重新安装。");
    EXPECT_FALSE(session.database.connection().isOpen());
}

TEST(StartupTest, AFileThatOpensNeitherWayIsDamagedOrHasAnotherPassword) {
    TestEnvironment env;
    const QString path = env.path("2020NB_jg_20200831.mdb");
    const QByteArray garbage(8192, '\x5a');
    writeFile(path, garbage);
    ScriptedInteraction ui;
    Session session;
    EXPECT_FALSE(StartSession(session, ui));
    const QString damaged = "不能打开数据库文件：数据库文件已经损坏或密码不正确。";
    EXPECT_EQ(ui.messageTexts(), QStringList{damaged});
    EXPECT_EQ(readFile(path), garbage);

    // Protected with another password: refused the same way and left untouched.
    QFile::remove(path);
    makePlainDatabase(path, "INSERT INTO ct_label VALUES ('x');");
    db::ProtectedFile::protect(path, "not-ours");
    const QByteArray sealed = readFile(path);
    ScriptedInteraction ui2;
    Session session2;
    EXPECT_FALSE(StartSession(session2, ui2));
    EXPECT_EQ(ui2.messageTexts(), QStringList{damaged});
    EXPECT_EQ(readFile(path), sealed);
}

TEST(StartupTest, ADatabaseThatAnotherProgramKeepsWritingIsReportedBusy) {
    TestEnvironment env;
    const QString path = env.path("2020NB_jg_20200831.mdb");
    makePlainDatabase(path, "INSERT INTO ct_label VALUES ('x');");
    db::Connection writer;
    writer.open(path);
    writer.executeScript("BEGIN EXCLUSIVE; INSERT INTO dt_data VALUES (1);");
    ScriptedInteraction ui;
    Session session; // waits for the busy timeout, then gives up
    EXPECT_FALSE(StartSession(session, ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"不能打开数据库文件：数据库文件正被其他程序使用，请稍后再试。"});
    writer.rollback();
}

TEST(StartupTest, AFolderThatCannotBeWrittenAtTheFirstOpeningIsNamedAsSuch) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    TestEnvironment env;
    const QString path = env.installDatabase();
    const QByteArray sealed = readFile(path);
    QFile::setPermissions(env.programFolder(), QFile::ReadOwner | QFile::ExeOwner);
    ScriptedInteraction ui;
    Session session;
    EXPECT_FALSE(StartSession(session, ui));
    QFile::setPermissions(env.programFolder(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"不能打开数据库文件：文件或它所在的文件夹不能写入，请检查权限。"});
    EXPECT_EQ(readFile(path), sealed);
}

TEST(StartupTest, AnEmptyOrBlankLabelGivesTheBareCaption) {
    TestEnvironment env;
    const QString path = env.path("2020NB_jg_20200831.mdb");
    for (const QString& rows : {QString(), QString("INSERT INTO ct_label VALUES (NULL);"),
                                QString("INSERT INTO ct_label VALUES (''), ('第二行');")}) {
        QFile::remove(path);
        makePlainDatabase(path, rows);
        ScriptedInteraction ui;
        Session session;
        ASSERT_TRUE(StartSession(session, ui)) << rows.toStdString();
        EXPECT_EQ(session.caption, "Kestrune - ") << rows.toStdString();
        session.database.close();
    }
}

TEST(StartupTest, ADatabaseWithoutItsLabelTableIsABrokenInstallation) {
    TestEnvironment env;
    const QString path = env.path("2020NB_jg_20200831.mdb");
    db::createDatabase(path);
    ScriptedInteraction ui;
    Session session;
    EXPECT_FALSE(StartSession(session, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{"软件安装不正确，请与软件提供者联系！"});
    EXPECT_FALSE(session.database.connection().isOpen());
}

} // namespace
