#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "shell/Startup.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using namespace kestrune::mainwindow;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;

namespace {

TEST(MainWindowStartTest, NoWindowAppearsWhenTheDatabaseIsMissing) {
    TestEnvironment env;
    ScriptedInteraction ui;
    Session session;
    EXPECT_EQ(StartMainWindow(session, ui), nullptr);
    EXPECT_EQ(ui.messageTexts(), QStringList{"没有找到系统数据文件，请重新安装。"});
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(MainWindowStartTest, TheMainWindowCarriesTheDatabaseLabel) {
    TestEnvironment env;
    env.installDatabase();
    ScriptedInteraction ui;
    Session session;
    const auto window = StartMainWindow(session, ui);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Kestrune - 默认数据库");
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
