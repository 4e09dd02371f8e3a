#pragma once

#include "shell/Startup.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QString>
#include <gtest/gtest.h>

namespace kestrune::testing {

// A program folder with the database and the print template as built, a few
// generated records, and the person's documents folder in the test folder.
class PrintDatabase : public ::testing::Test {
protected:
    void SetUp() override;
    // Opens the database as the program starts; a window test starts its window.
    virtual void start();
    db::Connection& connection() { return session.database.connection(); }
    // Every file in the documents folder.
    QStringList handedOver() const;
    double firstCode();

    TestEnvironment env;
    ScriptedInteraction ui;
    shell::Session session;
    QString documents;
};

} // namespace kestrune::testing
