#include "Startup.h"

namespace kestrune::shell {

bool StartSession(Session& session, UserInteraction& ui) {
    session.settings = InitSettings(kProductName);
    if (!session.database.OpenDatabase(ui))
        return false;
    session.caption = mainCaption(session.database.label());
    return true;
}

} // namespace kestrune::shell
