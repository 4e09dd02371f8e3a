#include "shell/HandOver.h"

#include "shell/Registry.h"
#include "shell/Settings.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;

namespace {

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Not there yet: the hand-over makes it.
        WriteRegText("Personal", documents, RegistryRoot::CurrentUser, kShellFoldersKey);
        book.sheet(1).setCell(1, 1, QStringLiteral("年报"));
    }
    QString handOver() {
        return HandOverWorkbook(book, "年报表", "110101000001", ui, QDate(2026, 12, 8));
    }

    TestEnvironment env;
    QString documents = env.path("文档/我的");
    ScriptedInteraction ui;
    workbook::Workbook book = workbook::Workbook::create();
};

TEST_F(HandOverTest, NamesSayWhatItIsAndNeverReplaceAFile) {
    EXPECT_EQ(FreeHandOverPath(documents, "年报表", "110101000001", QDate(2026, 12, 8)),
              documents + "/年报表-110101000001-2026-12-08.xlsx");
    EXPECT_EQ(FreeHandOverPath(documents, "汇总表", "", QDate(2027, 1, 2)),
              documents + "/汇总表-2027-01-02.xlsx");

    const QString first = handOver();
    const QString second = handOver();
    const QString third = handOver();
    EXPECT_EQ(first, documents + "/年报表-110101000001-2026-12-08.xlsx");
    EXPECT_EQ(second, documents + "/年报表-110101000001-2026-12-08 (2).xlsx");
    EXPECT_EQ(third, documents + "/年报表-110101000001-2026-12-08 (3).xlsx");
    EXPECT_EQ(ui.openedFiles, (QStringList{first, second, third}));
    EXPECT_TRUE(ui.messages.empty());
    for (const QString& path : {first, second, third})
        EXPECT_EQ(std::get<QString>(workbook::Workbook::open(path).sheet(1).cell(1, 1)), "年报");
    // Only the hand-overs are there: no temporary files left behind.
    EXPECT_EQ(QDir(documents).entryList(QDir::Files).size(), 3);
}

TEST_F(HandOverTest, WhenNothingOpensTheFileThePersonIsToldWhereItIs) {
    ui.noDefaultProgram = true;
    const QString path = handOver();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(ui.openedFiles, QStringList{path});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(ui.messages[0].text, "文件已保存为" + QDir::toNativeSeparators(path) +
                                       "，但本机没有可以打开它的程序，请用电子表格软件打开它。");
}

TEST_F(HandOverTest, AFolderThatCannotBeMadeIsReportedAndNothingOpens) {
    kestrune::testing::writeFile(env.path("文档"), "a file where the folder should be");
    EXPECT_EQ(handOver(), QString());
    EXPECT_TRUE(ui.openedFiles.isEmpty());
    EXPECT_EQ(ui.messageTexts(), QStringList{"保存文件时发生错误：无法建立文件夹" +
                                             QDir::toNativeSeparators(documents)});
}

} // namespace
