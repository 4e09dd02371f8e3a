#include "StartWindow.h"

#include "MainForm.h"
#include "shell/Startup.h"

namespace kestrune::shell {

std::unique_ptr<TMainForm> StartMainWindow(Session& session, UserInteraction& ui) {
    if (!StartSession(session, ui))
        return nullptr;
    return std::make_unique<TMainForm>(session);
}

} // namespace kestrune::shell
