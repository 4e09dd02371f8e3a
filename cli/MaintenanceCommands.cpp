#include "CliCommand.h"
#include "ExitCodes.h"
#include "shell/Maintenance.h"
#include "shell/Startup.h"

namespace kestrune::cli {

int runBackup(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream&) {
    if (arguments.size() != 1) {
        ui.showMessage(QStringLiteral("用法：kestrune-cli backup FILE"), shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    ui.queueFileName(arguments.first());
    return shell::BackupDatabase(session.database, ui) ? 0 : kExitFailed;
}

int runCompact(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream&) {
    if (!arguments.isEmpty()) {
        ui.showMessage(QStringLiteral("用法：kestrune-cli compact"), shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    return shell::CompactDatabase(session.database, ui, nullptr) ? 0 : kExitFailed;
}

} // namespace kestrune::cli
