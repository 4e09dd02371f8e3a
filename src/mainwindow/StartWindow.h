#pragma once

#include <memory>

namespace kestrune::shell {
class UserInteraction;
struct Session;
} // namespace kestrune::shell

namespace kestrune::mainwindow {

class TMainForm;

// Runs the start-up steps and creates the main window on success, then (with
// `splash`) shows the two-second splash and creates the long-lived windows.
// When the database cannot be opened the person has been told why and
// nothing is created, so no window of the program appears.
std::unique_ptr<TMainForm> StartMainWindow(shell::Session& session, shell::UserInteraction& ui,
                                           bool splash = false);

} // namespace kestrune::mainwindow
