#include "ImportFiles.h"
#include "mainwindow/MainWindowFixture.h"
#include "shell/RecordList.h"
#include "shell/ui/RecordGrid.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace kestrune;
using kestrune::testing::WriteExchangeFile;

namespace {

class ImportFromWindowTest : public kestrune::testing::MainWindowFixture {
protected:
    ImportFromWindowTest() : oldTemp_(qgetenv("TEMP")) { qputenv("TEMP", temp_.path().toUtf8()); }
    ~ImportFromWindowTest() override { qputenv("TEMP", oldTemp_); }

    void SetUp() override {
        MainWindowFixture::SetUp();
        addRecords(3);
        window->recordList().setCurrentRow(1);
        window->recordGrid()->showList();
    }
    QString file(const QString& name) const { return QDir(files_.path()).filePath(name); }
    void runImport() { window->actionByName("actFastImport")->trigger(); }

    QByteArray oldTemp_;
    QTemporaryDir temp_;
    QTemporaryDir files_;
};

TEST_F(ImportFromWindowTest, TheImportedRecordsJoinTheListWhichStaysOnItsRecord) {
    const QString path = file("east.dat");
    WriteExchangeFile(path, "东区", {{110101000001, "甲"}, {110101000002, "乙"}});
    ui.fileAnswers = {path};
    ui.confirmAnswers = {true};

    runImport();

    EXPECT_EQ(ui.messageTexts(), QStringList{"数据已经被正确地从'" + path + "'导入！"});
    EXPECT_EQ(window->recordList().rowCount(), 5);
    EXPECT_EQ(window->recordList().currentCode(), 100000000002.0);
}

TEST_F(ImportFromWindowTest, DecliningTheLabelLeavesTheListAsItWas) {
    const QString path = file("east.dat");
    WriteExchangeFile(path, "东区", {{110101000001, "甲"}});
    ui.fileAnswers = {path};
    ui.confirmAnswers = {false};
    // Added behind the list's back: only a re-read would show it.
    connection().execute("insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                         {120000000001.0, "旁加"});

    runImport();

    EXPECT_EQ(ui.messageTexts(), QStringList{});
    EXPECT_EQ(window->recordList().rowCount(), 3);
}

TEST_F(ImportFromWindowTest, TheOptionsDecideWhetherTheFreeCodesAreImported) {
    const QString path = file("east.dat");
    WriteExchangeFile(path, "东区", {{100000000001, "重"}, {110101000002, "新"}});
    session.settings.importPrinciple = true; // "只放弃出错的数据"
    ui.fileAnswers = {path};
    ui.confirmAnswers = {true};

    runImport();

    EXPECT_EQ(ui.openedFiles.size(), 1);
    EXPECT_EQ(window->recordList().rowCount(), 4);
}

} // namespace
