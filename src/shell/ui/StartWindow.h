#pragma once

#include <memory>

namespace kestrune::shell {

class TMainForm;
class UserInteraction;
struct Session;

// Runs the start-up steps and creates the main window on success, then (with
// `splash`) shows the two-second splash and creates the long-lived windows.
// When the database cannot be opened the person has been told why and
// nothing is created, so no window of the program appears.
std::unique_ptr<TMainForm> StartMainWindow(Session& session, UserInteraction& ui,
                                           bool splash = false);

} // namespace kestrune::shell
