#pragma once

#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "schema/Connection.h"
#include "shell/Startup.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace kestrune::testing {

// The main window as the program starts it (start-up included), on a fresh
// copy of the installed database.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        window = mainwindow::StartMainWindow(session, ui);
        ASSERT_NE(window, nullptr);
    }

    db::Connection& connection() { return session.database.connection(); }
    // Units 100000000001, 100000000002, ... named 单位1, 单位2, ..., saved
    // without logic errors, in the list.
    void addRecords(int count) {
        for (int i = 1; i <= count; ++i)
            connection().execute("insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                                 {100000000000.0 + i, QString("单位%1").arg(i)});
        window->refreshList();
    }

    TestEnvironment env;
    ScriptedInteraction ui;
    shell::Session session;
    std::unique_ptr<mainwindow::TMainForm> window;
};

} // namespace kestrune::testing
