#include "exchange/UploadRules.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainActions.h"
#include "mainwindow/MainWindowFixture.h"
#include "shell/Registry.h"
#include "shell/Settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune;

namespace {

class UploadFromWindowTest : public kestrune::testing::MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowFixture::SetUp());
        ASSERT_TRUE(
            QFile::copy(kestrune::testing::builtProgramFile(exchange::kExchangeTemplateName),
                        env.path(exchange::kExchangeTemplateName)));
        documents = env.path("documents");
        shell::WriteRegText("Personal", documents, shell::RegistryRoot::CurrentUser,
                            shell::kShellFoldersKey);
    }

    void exportOnline() {
        mainwindow::MainCommands().runItem(mainwindow::kOnlineExportItem, *window);
    }

    QString documents;
};

TEST_F(UploadFromWindowTest, BothUploadCommandsWriteTheirFiles) {
    addRecords(3);
    ui.inputAnswers = {QString("市总工会")};
    ui.fileAnswers = {QDir(documents).filePath("off"), QDir(documents).filePath("on.dat")};
    window->actionByName("actExport")->trigger();
    exportOnline();
    const QString offline = QDir(documents).filePath("off.dat");
    EXPECT_EQ(ui.messageTexts(),
              QStringList({"数据已经被正确导出到：'" + offline + "'！", "导出上报数据成功"}));
    EXPECT_EQ(quint8(kestrune::testing::readFile(offline)[0]), 0x05);
    EXPECT_EQ(kestrune::testing::readFile(QDir(documents).filePath("on.dat")).size() % 16, 8);
}

TEST_F(UploadFromWindowTest, ATemporarilySavedRecordBlocksBothCommands) {
    addRecords(2);
    connection().execute("update dt_data set RecordState=0 where c901=100000000002");
    window->actionByName("actExport")->trigger();
    exportOnline();
    EXPECT_EQ(ui.messageTexts(),
              QStringList({exchange::kOfflineRefusal, exchange::kOnlineRefusal}));
    EXPECT_TRUE(ui.fileDialogs.empty());
}

} // namespace
