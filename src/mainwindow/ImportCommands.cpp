// The data import: records of exchange files and backups from other units
// join the working database.
#include "exchange/ImportData.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "shell/Startup.h"

namespace kestrune::mainwindow {

namespace {

// The list returns to the record that was current, unless the person
// declined or the import ended in the conflict report.
void actFastImportExecute(TMainForm& window) {
    shell::Session& session = window.session();
    const exchange::ImportResult result =
        exchange::RunDataImport(session.database.connection(), window.interaction(),
                                exchange::ImportPrincipleOf(session.settings.importPrinciple));
    if (result.refreshList())
        window.refreshList();
}

} // namespace

void AddImportCommands(CommandSet& commands) {
    commands.add(ActionId::FastImport, actFastImportExecute);
}

} // namespace kestrune::mainwindow
