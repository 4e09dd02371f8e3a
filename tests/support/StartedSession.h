#pragma once

#include "shell/Startup.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace kestrune::db {
class Connection;
}

namespace kestrune::testing {

// The program as it stands after start-up, before any window: a private
// program folder holding a fresh copy of the installed database, opened
// through the same start-up steps the program takes, with a scripted person.
// A fixture derives from it (or holds one) so that its members are built on a
// started session; start-up failing throws, which fails the test.
class StartedSession {
public:
    StartedSession();

    db::Connection& connection() { return session.database.connection(); }

    TestEnvironment env;
    ScriptedInteraction ui;
    shell::Session session;
};

// For tests that need nothing but the started session.
class StartedSessionTest : public ::testing::Test, public StartedSession {};

} // namespace kestrune::testing
