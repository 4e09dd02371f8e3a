#pragma once

#include "Settings.h"
#include "SurveyDatabase.h"

#include <QString>

namespace kestrune::shell {

class UserInteraction;

// What start-up has set up before the first window is shown.
struct Session {
    EnvSettings settings;
    SurveyDatabase database;
    QString caption;
};

// The start-up steps that come before any window: the settings are
// initialised, the installed database is opened (losing its password at the
// first opening) and the caption is set from its label. False when the
// program has to end; the person has then been told why.
bool StartSession(Session& session, UserInteraction& ui);

} // namespace kestrune::shell
