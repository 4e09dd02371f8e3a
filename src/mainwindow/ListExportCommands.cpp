// The command of the list export: the dialog that writes the survey records
// of the chosen tables into a workbook.
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "schema/EngineError.h"
#include "shell/ExportQuery.h"
#include "shell/ExportTableList.h"
#include "shell/FailureReason.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"
#include "shell/ui/SaveListForm.h"

#include <QDir>

namespace kestrune::mainwindow {

namespace {

void openListExportDialog(TMainForm& window) {
    shell::SurveyDatabase& database = window.session().database;
    shell::UserInteraction& ui = window.interaction();
    try {
        shell::TdlgSaveListForm dialog(
            database.connection(), database.label(),
            QDir(shell::programFolder()).filePath(shell::kExportTableFileName), ui, &window);
        dialog.exec();
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e), shell::kExportErrorAdvice);
    }
}

} // namespace

void AddListExportCommands(CommandSet& commands) {
    commands.add(ActionId::SaveList, openListExportDialog);
}

} // namespace kestrune::mainwindow
