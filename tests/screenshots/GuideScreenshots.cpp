// The pictures of the user's guide (docs/guide/): every window a clerk meets,
// opened as the program opens it, over made-up records. Messages are drawn
// from the real commands through a person who sees the program's own boxes.
#include "RecordGenerator.h"
#include "ScreenshotSupport.h"
#include "check/RuleExplainer.h"
#include "check/ui/CheckForm.h"
#include "entry/ui/CityNameForm.h"
#include "entry/ui/SurveyDataForm.h"
#include "exchange/ImportFiles.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainActions.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "shell/RecordDeletion.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/ui/ProgressBarForm.h"
#include "shell/ui/QtTranslations.h"
#include "shell/ui/QuestionDlg.h"
#include "sum/ui/GroupItemForm.h"
#include "sum/ui/GroupListForm.h"
#include "support/TestEnvironment.h"
#include "support/Typing.h"
#include "text/GbkDecoder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <iostream>

using namespace kestrune;
using screenshots::DrawingPerson;
using screenshots::saveGuidePicture;
using screenshots::whenModalShows;

namespace {

// The main window started as the program starts it, over sixty made-up
// records, with a person who sees the program's own message boxes.
class GuideScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        // Qt's own buttons in Chinese, as the program shows them.
        static const bool translated = shell::LoadQtTranslations(*qApp) != nullptr;
        (void)translated;
        env.installDatabase();
        // The offline export's template and the page notes, as the program
        // folder holds them.
        QFile::copy(kestrune::testing::builtProgramFile(QStringLiteral("view.dll")),
                    env.path(QStringLiteral("view.dll")));
        const QDir notes(kestrune::testing::builtProgramFile(QStringLiteral("notes")));
        QDir().mkpath(env.path(QStringLiteral("notes")));
        for (const QString& name : notes.entryList(QDir::Files))
            QFile::copy(notes.filePath(name), env.path(QStringLiteral("notes/") + name));
        documents = env.path(QStringLiteral("文档"));
        shell::WriteRegText(QStringLiteral("Personal"), documents, shell::RegistryRoot::CurrentUser,
                            shell::kShellFoldersKey);
        window = mainwindow::StartMainWindow(session, person);
        ASSERT_NE(window, nullptr);
        codes = cli::generateRecords(connection(), 60, 7).unitCodes;
        window->refreshList();
        window->updateActions();
        window->resize(1100, 700);
        window->show();
    }

    db::Connection& connection() { return session.database.connection(); }

    // Triggers the action; its dialog is drawn as `picture` and closed.
    void drawActionDialog(mainwindow::ActionId id, const QString& picture) {
        whenModalShows([picture](QWidget* dialog) {
            saveGuidePicture(dialog, picture);
            static_cast<QDialog*>(dialog)->reject();
        });
        window->action(id)->trigger();
    }

    void addGroup(const QString& name,
                  const std::vector<std::tuple<QString, double, double>>& items) {
        connection().execute(
            QStringLiteral("insert into ct_group (Name, orderstr) values (?, 'id ASC')"), {name});
        const qint64 id = connection().lastInsertRowId();
        for (const auto& [title, low, high] : items)
            connection().execute(
                QStringLiteral("insert into DT_GroupItem (GroupID, Title, LowSymbol, LowBoundary, "
                               "HighSymbol, HighBoundary) values (?, ?, '>=', ?, '<', ?)"),
                {id, title, low, high});
    }

    kestrune::testing::TestEnvironment env;
    DrawingPerson person;
    shell::Session session;
    std::unique_ptr<mainwindow::TMainForm> window;
    std::vector<qint64> codes;
    QString documents;
};

// A text file the program wrote in GBK, for the guide's examples.
void printGbkFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    text::GbkDecoder gbk;
    std::cout << "---- " << path.toStdString() << "\n"
              << gbk.decode(file.readAll()).toStdString() << "----\n";
}

TEST_F(GuideScreenshot, TheDialogsOfTheMainWindow) {
    using mainwindow::ActionId;
    drawActionDialog(ActionId::Delete, QStringLiteral("delete-dialog.png"));
    drawActionDialog(ActionId::Locate, QStringLiteral("locate-dialog.png"));
    drawActionDialog(ActionId::Search, QStringLiteral("search-dialog.png"));
    drawActionDialog(ActionId::RecordGrid, QStringLiteral("column-dialog.png"));
    drawActionDialog(ActionId::Options, QStringLiteral("options.png"));
    drawActionDialog(ActionId::Check, QStringLiteral("check-dialog.png"));
    drawActionDialog(ActionId::Sum, QStringLiteral("sum-dialog.png"));
    drawActionDialog(ActionId::SaveList, QStringLiteral("list-export.png"));
    drawActionDialog(ActionId::About, QStringLiteral("about.png"));

    shell::TQuestionDlg question(shell::kDeleteQuestion,
                                 shell::Question::Yes | shell::Question::No);
    question.show();
    saveGuidePicture(&question, QStringLiteral("delete-question.png"));
}

// A made-up record in the entry dialog, its cover and 表1, and the message
// of a formal save.
TEST_F(GuideScreenshot, TheEntryDialogOverARecord) {
    person.drawWhenShown(QStringLiteral("数据保存成功"), QStringLiteral("entry-saved.png"));
    whenModalShows([this](QWidget* shown) {
        auto* form = qobject_cast<entry::TdlgSurveyDataForm*>(shown);
        ASSERT_NE(form, nullptr);
        form->resize(entry::TdlgSurveyDataForm::kClientWidth,
                     entry::TdlgSurveyDataForm::kClientHeight);
        saveGuidePicture(form, QStringLiteral("entry-record-cover.png"));
        form->DataPage()->setCurrentIndex(1);
        saveGuidePicture(form, QStringLiteral("entry-record-table1.png"));
        form->DataPage()->setCurrentIndex(0);
        auto* filler = qobject_cast<QLineEdit*>(form->box(QStringLiteral("c905")));
        filler->setFocus();
        filler->selectAll();
        kestrune::testing::typeInto(filler, QStringLiteral("李明"));
        form->button(QStringLiteral("tbSave"))->click();
        form->button(QStringLiteral("tbReturn"))->click();
    });
    window->action(mainwindow::ActionId::Modify)->trigger();
    EXPECT_EQ(person.messages.size(), 1u);

    entry::TCityNameForm regions(connection());
    regions.setCode(430102);
    regions.show();
    saveGuidePicture(&regions, QStringLiteral("region-picker.png"));
}

// The check dialog paused halfway through two thousand records, and the
// report it leaves.
TEST_F(GuideScreenshot, TheLogicCheck) {
    cli::generateRecords(connection(), 2000, 11);
    check::RuleExplainer explainer(connection(), person);
    check::TdlgCheckForm dialog(
        connection(), explainer, person, session.database.label(), [] { return QList<double>(); },
        [] {});
    dialog.show();
    dialog.allChoice()->setChecked(true);
    bool drawn = false;
    QObject::connect(&dialog.runner(), &shell::TimedJobRunner::progressed, &dialog, [&] {
        if (drawn || dialog.runner().done() * 3 < dialog.runner().total())
            return;
        drawn = true;
        dialog.pauseCheck();
        saveGuidePicture(&dialog, QStringLiteral("check-running.png"));
        dialog.resumeCheck();
    });
    QSignalSpy ended(&dialog.runner(), &shell::TimedJobRunner::ended);
    dialog.runCheck();
    ASSERT_TRUE(ended.wait(120000));
    EXPECT_TRUE(drawn);
    ASSERT_FALSE(person.openedFiles.isEmpty());
    printGbkFile(person.openedFiles.last());
}

TEST_F(GuideScreenshot, TheGroupsAndTheProgressWindows) {
    addGroup(QStringLiteral("按地区"), {{QStringLiteral("北京市"), 110000000000, 120000000000},
                                        {QStringLiteral("河北省"), 130000000000, 140000000000},
                                        {QStringLiteral("湖南省"), 430000000000, 440000000000},
                                        {QStringLiteral("广东省"), 440000000000, 450000000000}});
    addGroup(QStringLiteral("直属单位"),
             {{QStringLiteral("机关直属"), 100000000000, 110000000000}});
    // The group file's buttons only show as offered; they are not pressed.
    sum::TdlgGroupListForm groups(connection(), person,
                                  {[] { return false; },
                                   [] {
                                   }});
    groups.show();
    saveGuidePicture(&groups, QStringLiteral("group-list.png"));

    const qint64 first = groups.groups().front().id;
    sum::TdlgGroupItemForm items(connection(), person, first, QStringLiteral("按地区"));
    items.show();
    items.grid()->selectRow(2);
    saveGuidePicture(&items, QStringLiteral("group-items.png"));

    shell::TProgressBarForm progress;
    progress.setWindowTitle(QStringLiteral("数据导出..."));
    progress.show();
    progress.StartProgress(60, 24);
    for (int i = 0; i < 35; ++i)
        progress.tick();
    saveGuidePicture(&progress, QStringLiteral("progress.png"));

    shell::TProgressBar2LineForm twoLines;
    twoLines.show();
    twoLines.InitFirst(4);
    twoLines.IncFirst();
    twoLines.InitSecond(25);
    for (int i = 0; i < 9; ++i)
        twoLines.IncSecond();
    saveGuidePicture(&twoLines, QStringLiteral("sum-progress.png"));
}

TEST_F(GuideScreenshot, BackupAndCompaction) {
    person.drawWhenShown(QStringLiteral("备份文件存放为"),
                         QStringLiteral("backup-file-dialog.png"));
    person.drawWhenShown(QStringLiteral("备份成功"), QStringLiteral("backup-done.png"));
    person.drawWhenShown(QStringLiteral("压缩操作成功"), QStringLiteral("compact-done.png"));
    person.fileAnswers.push_back(documents + QStringLiteral("/备份-12月9日.mdb"));
    window->action(mainwindow::ActionId::Backup)->trigger();
    window->action(mainwindow::ActionId::Compress)->trigger();
    EXPECT_EQ(person.messageTexts(),
              QStringList({QStringLiteral("备份成功"), QStringLiteral("压缩操作成功")}));
}

// Refused while records are not ready, then both upload files written.
TEST_F(GuideScreenshot, TheUploadExports) {
    person.drawWhenShown(QStringLiteral("不能上报"), QStringLiteral("upload-refused.png"));
    person.drawWhenShown(QStringLiteral("设置数据库标识"), QStringLiteral("offline-label.png"));
    person.drawWhenShown(QStringLiteral("必须修改默认的名称"), QStringLiteral("label-refused.png"));
    person.drawWhenShown(QStringLiteral("导出文件存放为"),
                         QStringLiteral("upload-file-dialog.png"));
    person.drawWhenShown(QStringLiteral("数据已经被正确导出到"),
                         QStringLiteral("offline-done.png"));
    person.drawWhenShown(QStringLiteral("导出上报数据成功"), QStringLiteral("online-done.png"));
    window->action(mainwindow::ActionId::Export)->trigger();

    connection().execute(QStringLiteral("update dt_data set RecordState=1"));
    person.inputAnswers = {QStringLiteral("默认数据库"), QStringLiteral("星城市总工会")};
    person.fileAnswers = {documents + QStringLiteral("/星城市总工会-2026-12-09(离线版).dat"),
                          documents + QStringLiteral("/2026-12-09(网络版).dat")};
    window->action(mainwindow::ActionId::Export)->trigger();
    mainwindow::MainCommands().runItem(mainwindow::kOnlineExportItem, *window);
    EXPECT_EQ(person.messages.size(), 4u) << person.messageTexts().join('\n').toStdString();
}

// A lower unit's exchange file of which three unit codes are taken: first
// refused whole with the conflict report, then imported without them.
TEST_F(GuideScreenshot, TheDataImport) {
    const QString file = documents + QStringLiteral("/星城区总工会-2026-12-01(离线版).dat");
    QDir().mkpath(documents);
    std::vector<kestrune::testing::SourceRecord> records;
    for (int i = 0; i < 3; ++i)
        records.push_back({double(codes[size_t(i) * 7]), QStringLiteral("重复单位%1").arg(i + 1)});
    for (int i = 1; i <= 5; ++i)
        records.push_back({430102900000.0 + i, QStringLiteral("星城区第%1街道总工会").arg(i)});
    kestrune::testing::WriteExchangeFile(file, QStringLiteral("星城区总工会"), records);

    person.drawWhenShown(QStringLiteral("选择导入文件"), QStringLiteral("import-file-dialog.png"));
    person.drawWhenShown(QStringLiteral("确认准备导入"), QStringLiteral("import-confirm.png"));
    person.drawWhenShown(QStringLiteral("导入过程中发生错误"),
                         QStringLiteral("import-conflict.png"));
    person.drawWhenShown(QStringLiteral("因编号冲突没有导入"), QStringLiteral("import-partly.png"));
    person.fileAnswers = {file, file};
    person.confirmAnswers = {true, true};
    window->action(mainwindow::ActionId::FastImport)->trigger();
    ASSERT_FALSE(person.openedFiles.isEmpty());
    printGbkFile(person.openedFiles.last());

    session.settings.importPrinciple = true; // "只放弃出错的数据"
    window->action(mainwindow::ActionId::FastImport)->trigger();
    EXPECT_EQ(person.messages.size(), 2u);
}

} // namespace
