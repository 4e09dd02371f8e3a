#include "StartedSession.h"

#include <stdexcept>

namespace kestrune::testing {

StartedSession::StartedSession() {
    env.installDatabase();
    if (!shell::StartSession(session, ui))
        throw std::runtime_error("the installed database does not start: " +
                                 ui.messageTexts().join('\n').toStdString());
}

} // namespace kestrune::testing
