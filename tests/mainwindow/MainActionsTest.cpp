#include "mainwindow/MainActions.h"

#include "mainwindow/CommandSet.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace kestrune::mainwindow;

namespace {

TEST(MainActionsTest, AnEmptyListDisablesWhatNeedsARecord) {
    const MainWindowState empty{false, true};
    const MainWindowState filled{true, true};
    for (ActionId id : {ActionId::Modify, ActionId::Delete, ActionId::Print, ActionId::Locate,
                        ActionId::Search}) {
        EXPECT_FALSE(ActionEnabled(id, empty)) << ActionInfoOf(id).name.toStdString();
        EXPECT_TRUE(ActionEnabled(id, filled));
    }
    for (const ActionInfo& info : MainActions()) {
        if (info.enabled == EnabledRule::Always) {
            EXPECT_TRUE(ActionEnabled(info.id, empty)) << info.name.toStdString();
        }
    }
    EXPECT_FALSE(ActionEnabled(ActionId::RecordGrid, {false, false}));
    // Ctrl+L and Ctrl+F only while actLocate is enabled.
    EXPECT_EQ(MainShortcutFor(Qt::Key_L, true, empty), std::nullopt);
    EXPECT_EQ(MainShortcutFor(Qt::Key_F, true, empty), std::nullopt);
    EXPECT_EQ(MainShortcutFor(Qt::Key_L, true, filled), ActionId::Locate);
    EXPECT_EQ(MainShortcutFor(Qt::Key_F, true, filled), ActionId::ConditionSearch);
    EXPECT_EQ(MainShortcutFor(Qt::Key_L, false, filled), std::nullopt);
}

TEST(MainActionsTest, ListKeys) {
    EXPECT_EQ(ListKeyCommandFor(Qt::Key_Return), ListKeyCommand::Modify);
    EXPECT_EQ(ListKeyCommandFor(Qt::Key_Enter), ListKeyCommand::Modify);
    EXPECT_EQ(ListKeyCommandFor(Qt::Key_Insert), ListKeyCommand::AddNew);
    EXPECT_EQ(ListKeyCommandFor(Qt::Key_Delete), ListKeyCommand::OpenDeleteDialog);
    EXPECT_EQ(ListKeyCommandFor(Qt::Key_A), ListKeyCommand::None);
}

// Every action that works today has the function its subsystem offers; a
// subsystem that forgot to add its commands leaves its actions dead.
TEST(CommandSetTest, EveryWorkingActionIsOfferedOnce) {
    using enum ActionId;
    for (ActionId id : {AddNew, Modify, Delete, Check, CheckSelected, Backup, Compress, Options,
                        RecordGrid, Locate, Search, About, Sum, Group}) {
        EXPECT_TRUE(MainCommands().offers(id)) << ActionInfoOf(id).name.toStdString();
    }
    CommandSet commands;
    AddEntryCommands(commands);
    EXPECT_THROW(AddEntryCommands(commands), std::logic_error);
}

} // namespace
