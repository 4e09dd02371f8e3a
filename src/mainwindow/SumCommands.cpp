// The commands of the summation: the summary dialog and the group list.
#include "exchange/GroupTransfer.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"
#include "sum/SumTableList.h"
#include "sum/ui/GroupListForm.h"
#include "sum/ui/SumForm.h"

#include <QDir>

namespace kestrune::mainwindow {

namespace {

void openSumDialog(TMainForm& window) {
    shell::SurveyDatabase& database = window.session().database;
    sum::TdlgSumForm dialog(database.connection(),
                            QDir(shell::programFolder()).filePath(sum::kSumTableFileName),
                            window.interaction(), &window);
    dialog.exec();
}

void openGroupList(TMainForm& window) {
    shell::SurveyDatabase& database = window.session().database;
    // The group file's import and export belong to the data exchange. The
    // export always reads the installed database file, whichever file is open.
    sum::GroupTransfer transfer;
    transfer.importGroups = [&database, &window] {
        return exchange::ImportGroups(database.connection(), window.interaction());
    };
    transfer.exportGroups = [&window] {
        exchange::ExportGroups(shell::defaultDatabasePath(), window.interaction());
    };
    sum::TdlgGroupListForm dialog(database.connection(), window.interaction(), std::move(transfer),
                                  &window);
    dialog.exec();
}

} // namespace

void AddSumCommands(CommandSet& commands) {
    commands.add(ActionId::Sum, openSumDialog);
    commands.add(ActionId::Group, openGroupList);
}

} // namespace kestrune::mainwindow
