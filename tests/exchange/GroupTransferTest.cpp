#include "exchange/GroupTransfer.h"

#include "GroupsCommand.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/Statement.h"
#include "shell/ProgramFolder.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "sum/ui/GroupListForm.h"
#include "support/CapturedConsole.h"
#include "support/StartedSession.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::readFile;

namespace {

const QString kImportDone = QStringLiteral("数据分组导入操作完成！");

// Every row of a table in key order, its values joined by "|".
QStringList tableRows(db::Connection& connection, const QString& table) {
    QStringList rows;
    connection.forEachRow(QStringLiteral("select * from ") + table + QStringLiteral(" order by 1"),
                          {}, [&](const db::Statement& row) {
                              QStringList values;
                              for (int i = 0; i < row.columnCount(); ++i)
                                  values << row.text(i);
                              rows << values.join(QLatin1Char('|'));
                          });
    return rows;
}

QStringList fileRows(const QString& path, const QString& table) {
    db::Connection file;
    file.open(path);
    return tableRows(file, table);
}

// A database file made by another installation, with the statements given.
void writeDatabase(const QString& path, const QString& script) {
    db::createDatabase(path);
    db::Connection file;
    file.open(path);
    file.executeScript(script);
}

const QString kGroupTable = QStringLiteral(
    "CREATE TABLE CT_Group (ID INTEGER PRIMARY KEY, Name VARCHAR(100), orderstr VARCHAR(50), "
    "GroupList TEXT, AutoHighest INTEGER, AutoLowest INTEGER);");

class GroupTransferTest : public ::testing::Test, public kestrune::testing::StartedSession {
protected:
    GroupTransferTest() {
        connection().executeScript(QStringLiteral(
            "INSERT INTO ct_group (ID, Name, orderstr) VALUES (7, '按地区', 'Title DESC');"
            "INSERT INTO ct_group (ID, Name, orderstr) VALUES (9, '空组', 'id ASC');"
            "INSERT INTO DT_GroupItem VALUES (3, 7, '北京', 110000000000, 120000000000, '>=', "
            "'<');"
            "INSERT INTO DT_GroupItem VALUES (4, 7, '天津''市', 120000000000, 130000000000, '>', "
            "'<=');"));
        groups_ = tableRows(connection(), QStringLiteral("ct_group"));
        items_ = tableRows(connection(), QStringLiteral("DT_GroupItem"));
    }

    QString file(const QString& name) const { return QDir(files_.path()).filePath(name); }

    void expectGroupsUnchanged() {
        EXPECT_EQ(tableRows(connection(), QStringLiteral("ct_group")), groups_);
        EXPECT_EQ(tableRows(connection(), QStringLiteral("DT_GroupItem")), items_);
    }

    QTemporaryDir files_;
    QStringList groups_;
    QStringList items_;
};

TEST_F(GroupTransferTest, ExportCreatesTheFileInTheGroupFolder) {
    ASSERT_EQ(groups_.size(), 2);
    ASSERT_TRUE(groups_[0].startsWith(QStringLiteral("7|按地区|Title DESC|")));
    const QString folder = file(QStringLiteral("分组/新建"));
    shell::WriteRegText(exchange::kGroupFolderValue, folder, shell::RegistryRoot::CurrentUser,
                        shell::kShellFoldersKey);
    ui.fileAnswers.push_back(QDir(folder).filePath(QStringLiteral("全部分组 ")));

    EXPECT_TRUE(exchange::ExportGroups(shell::defaultDatabasePath(), ui));

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, QStringLiteral("导出文件存放为"));
    EXPECT_EQ(ui.fileDialogs[0].filter, QStringLiteral("Access文件(*.mdb)|*.mdb"));
    EXPECT_EQ(ui.fileDialogs[0].initialFolder, folder);
    EXPECT_TRUE(ui.fileDialogs[0].proposedName.isEmpty());
    const QString target = QDir(folder).filePath(QStringLiteral("全部分组.mdb"));
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("数据已经被正确导出到：'") + target +
                                             QStringLiteral("'！")});
    EXPECT_EQ(ui.progressLog, (QStringList{"start 3 0", "step", "step", "step", "finish"}));
    EXPECT_EQ(fileRows(target, QStringLiteral("CT_Group")), groups_);
    EXPECT_EQ(fileRows(target, QStringLiteral("DT_GroupItem")), items_);
}

TEST_F(GroupTransferTest, ExportReplacesTheGroupTablesOfAnExistingFile) {
    const QString target = file(QStringLiteral("旧分组.mdb"));
    writeDatabase(target, QStringLiteral("CREATE TABLE ct_group (ID INTEGER, Name TEXT);"
                                         "INSERT INTO ct_group VALUES (1, '旧');"
                                         "CREATE TABLE notes (line TEXT);"
                                         "INSERT INTO notes VALUES ('留着');"));

    EXPECT_TRUE(exchange::WriteGroupFile(shell::defaultDatabasePath(), target, ui));

    EXPECT_EQ(fileRows(target, QStringLiteral("CT_Group")), groups_);
    EXPECT_EQ(fileRows(target, QStringLiteral("DT_GroupItem")), items_);
    EXPECT_EQ(fileRows(target, QStringLiteral("notes")), QStringList{QStringLiteral("留着")});
}

TEST_F(GroupTransferTest, AFailedExportLeavesTheTargetAsItWas) {
    const QString target = file(QStringLiteral("文本.mdb"));
    const QByteArray text(5000, 'x');
    kestrune::testing::writeFile(target, text);
    EXPECT_FALSE(exchange::WriteGroupFile(shell::defaultDatabasePath(), target, ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{QStringLiteral("运行中发生错误：数据库文件已经损坏或密码不正确。,"
                                         "请与软件发行者联系。")});
    EXPECT_EQ(readFile(target), text);

    // A source without its item table fails after the group table was copied.
    const QString source = file(QStringLiteral("半套.mdb"));
    writeDatabase(source, kGroupTable + QStringLiteral("INSERT INTO CT_Group (ID) VALUES (1);"));
    const QString old = file(QStringLiteral("旧分组.mdb"));
    writeDatabase(old, QStringLiteral("CREATE TABLE CT_Group (ID INTEGER, Name TEXT);"
                                      "INSERT INTO CT_Group VALUES (2, '旧');"));
    ui.messages.clear();
    EXPECT_FALSE(exchange::WriteGroupFile(source, old, ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{QStringLiteral(
                  "运行中发生错误：no such table: DT_GroupItem,请与软件发行者联系。")});
    EXPECT_EQ(fileRows(old, QStringLiteral("CT_Group")), QStringList{QStringLiteral("2|旧")});
    EXPECT_FALSE(exchange::WriteGroupFile(source, file(QStringLiteral("新分组.mdb")), ui));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("新分组.mdb"))));
}

TEST(GroupExportSource, AnInstalledFileStillUnderItsPasswordIsReadAndKept) {
    kestrune::testing::TestEnvironment env;
    kestrune::testing::ScriptedInteraction ui;
    const QString installed = env.installDatabase();
    const QByteArray before = readFile(installed);
    const QString target = env.path(QStringLiteral("分组.mdb"));

    EXPECT_TRUE(exchange::WriteGroupFile(installed, target, ui))
        << ui.messageTexts().join('\n').toStdString();

    EXPECT_EQ(readFile(installed), before);
    EXPECT_TRUE(fileRows(target, QStringLiteral("CT_Group")).isEmpty());
    EXPECT_TRUE(fileRows(target, QStringLiteral("DT_GroupItem")).isEmpty());
}

TEST(GroupFileName, MdbIsAppendedToATrimmedNameLongerThanFour) {
    EXPECT_EQ(exchange::GroupFileName(QStringLiteral(" /a/分组 ")), QStringLiteral("/a/分组.mdb"));
    EXPECT_EQ(exchange::GroupFileName(QStringLiteral("a.mdb")), QStringLiteral("a.mdb"));
    EXPECT_EQ(exchange::GroupFileName(QStringLiteral("ab.MDB")), QStringLiteral("ab.MDB.mdb"));
    EXPECT_EQ(exchange::GroupFileName(QStringLiteral(" abcd ")), QStringLiteral("abcd"));
}

TEST_F(GroupTransferTest, ImportTakesTheTablesTheFileHasAndReportsTheOther) {
    const QString source = file(QStringLiteral("上级分组.mdb"));
    // Columns in another order still meet their namesakes.
    writeDatabase(source, QStringLiteral("CREATE TABLE ct_group (orderstr TEXT, AutoLowest "
                                         "INTEGER, Name TEXT, ID INTEGER, GroupList TEXT, "
                                         "AutoHighest INTEGER);"
                                         "INSERT INTO ct_group VALUES ('id ASC', 0, '行业', 12, "
                                         "NULL, 1);"));
    const QByteArray before = readFile(source);
    ui.fileAnswers.push_back(source.chopped(4));

    EXPECT_TRUE(exchange::ImportGroups(connection(), ui));

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, QStringLiteral("选择导入文件"));
    EXPECT_EQ(ui.fileDialogs[0].filter, QStringLiteral("Access文件(*.mdb)|*.mdb"));
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{QStringLiteral("您选择的文件中不存在名字为\"DT_GroupItem\"的数据表"),
                           kImportDone}));
    EXPECT_EQ(tableRows(connection(), QStringLiteral("ct_group")),
              QStringList{QStringLiteral("12|行业|id ASC||1|0")});
    EXPECT_EQ(tableRows(connection(), QStringLiteral("DT_GroupItem")), items_);
    EXPECT_EQ(readFile(source), before);
}

TEST_F(GroupTransferTest, AFailedImportLeavesTheGroupsAsTheyWere) {
    const QString source = file(QStringLiteral("坏分组.mdb"));
    writeDatabase(source,
                  kGroupTable + QStringLiteral("INSERT INTO CT_Group (ID, Name) VALUES (1, '新');"
                                               "CREATE TABLE DT_GroupItem (id INTEGER, GroupID "
                                               "INTEGER, Title TEXT);"
                                               "INSERT INTO DT_GroupItem VALUES (1, 1, '甲');"));
    EXPECT_FALSE(exchange::ReadGroupFile(connection(), source, ui));
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral(
                                     "运行中发生错误：数据表\"DT_GroupItem\"的字段与本系统的不一致,"
                                     "请与软件发行者联系。")});
    EXPECT_EQ(ui.progressLog, (QStringList{"start 3 0", "step", "step", "finish"}));
    expectGroupsUnchanged();

    const QString noise = file(QStringLiteral("噪声.mdb"));
    kestrune::testing::writeFile(noise, QByteArray(4096, '\x07'));
    EXPECT_FALSE(exchange::ReadGroupFile(connection(), noise, ui));
    expectGroupsUnchanged();

    ui.messages.clear();
    ui.fileAnswers.push_back(file(QStringLiteral("没有这个文件")));
    EXPECT_FALSE(exchange::ImportGroups(connection(), ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{QStringLiteral("您选择的文件并不存在，请选择其它文件。")});
    expectGroupsUnchanged();
}

TEST_F(GroupTransferTest, CommandLineRoundTrip) {
    auto run = [](const QStringList& arguments) {
        QString out;
        QTextStream stream(&out);
        kestrune::testing::CapturedConsole console;
        const int code = cli::runGroups(arguments, console.ui, stream);
        return std::pair{code, console.messages() + console.errors()};
    };
    const QString copy = file(QStringLiteral("往返"));
    const auto exported = run({QStringLiteral("export"), copy});
    EXPECT_EQ(exported.first, 0) << exported.second.toStdString();
    connection().executeScript(QStringLiteral("DELETE FROM ct_group; DELETE FROM DT_GroupItem;"));

    const auto imported = run({QStringLiteral("import"), copy + QStringLiteral(".mdb")});
    EXPECT_EQ(imported.first, 0) << imported.second.toStdString();
    EXPECT_EQ(imported.second, kImportDone + QLatin1Char('\n'));
    expectGroupsUnchanged();

    const auto missing = run({QStringLiteral("import"), file(QStringLiteral("无此文件.mdb"))});
    EXPECT_EQ(missing.first, 2);
    EXPECT_EQ(missing.second, QStringLiteral("您选择的文件并不存在，请选择其它文件。\n"));
    EXPECT_EQ(run({QStringLiteral("import")}).first, 2);
}

TEST_F(GroupTransferTest, TheGroupListsButtonsCarryTheGroups) {
    const QString source = file(QStringLiteral("一组.mdb"));
    writeDatabase(source, kGroupTable + QStringLiteral("INSERT INTO CT_Group (ID, Name) VALUES "
                                                       "(5, '一组');"));
    connection().executeScript(QStringLiteral("DELETE FROM ct_group;"));
    int exports = 0;
    sum::GroupTransfer transfer;
    transfer.importGroups = [this] {
        return exchange::ImportGroups(connection(), ui);
    };
    transfer.exportGroups = [&exports] {
        ++exports;
    };
    sum::TdlgGroupListForm dialog(connection(), ui, transfer);

    ASSERT_EQ(dialog.grid()->rowCount(), 0);
    ASSERT_TRUE(dialog.exportButton()->isEnabled());
    dialog.exportButton()->click();
    EXPECT_EQ(exports, 1);

    ui.fileAnswers.push_back(source);
    dialog.importButton()->click();
    ASSERT_EQ(dialog.grid()->rowCount(), 1);
    EXPECT_EQ(dialog.grid()->item(0, 0)->text(), QStringLiteral("一组"));
}

} // namespace
