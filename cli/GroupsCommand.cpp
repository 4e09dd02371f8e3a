#include "GroupsCommand.h"

#include "ExitCodes.h"
#include "exchange/GroupTransfer.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"

#include <QFileInfo>

namespace kestrune::cli {

namespace {

constexpr int kExitDone = 0;

const QString kUsage = QStringLiteral("用法：kestrune-cli groups export 文件.mdb\n"
                                      "      kestrune-cli groups import 文件.mdb");

} // namespace

int runGroups(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream&) {
    const bool exporting = arguments.value(0) == QLatin1String("export");
    const bool importing = arguments.value(0) == QLatin1String("import");
    if (arguments.size() != 2 || !(exporting || importing) || arguments[1].trimmed().isEmpty()) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    const QString file = exchange::GroupFileName(arguments[1]);
    if (importing && !QFileInfo(file).isFile()) {
        ui.showMessage(exchange::kGroupFileMissing, shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    // The messages say where the groups went, or which table the file lacked.
    const bool done = exporting ? exchange::WriteGroupFile(shell::defaultDatabasePath(), file, ui)
                                : exchange::ReadGroupFile(session.database.connection(), file, ui);
    return done ? kExitDone : kExitFailed;
}

} // namespace kestrune::cli
