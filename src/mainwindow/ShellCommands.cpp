// The commands of the ground: backup and compaction, the record list's own
// dialogs (delete, locate, number-range search, columns), options and About.
#include "check/RecordStateReset.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/Maintenance.h"
#include "shell/OptionsModel.h"
#include "shell/ProductVersion.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"
#include "shell/ui/AboutForm.h"
#include "shell/ui/DeleteForm.h"
#include "shell/ui/LocateForm.h"
#include "shell/ui/OptionSetupForm.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/RecordGrid.h"
#include "shell/ui/SearchForm.h"
#include "shell/ui/ShowForm.h"

namespace kestrune::mainwindow {

using namespace shell;

namespace {

void openDeleteDialog(TMainForm& window) {
    window.recordGrid()->takeCurrentRow();
    TdlgDeleteForm dialog(window.session().database, *window.recordGrid(), window.recordList(),
                          window.interaction(), &window);
    dialog.exec();
}

void openLocateDialog(TMainForm& window) {
    window.recordGrid()->takeCurrentRow();
    TdlgLocateForm dialog(window.session().database, window.recordList(), window.interaction(),
                          &window);
    if (dialog.exec() == QDialog::Accepted)
        window.recordGrid()->showList();
}

// The result list of a number-range search; afterwards the main list returns
// to its row.
void showSearchResults(TMainForm& window, const QString& condition) {
    UserInteraction& ui = window.interaction();
    TdlgQueryListForm results(window.session().database, ui, &window);
    results.setRecordEditing([&window](RecordList& list) { window.editRecordsOf(list); });
    try {
        results.setCondition(condition);
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(FailureReason(e));
        return;
    }
    results.exec();
    window.refreshList();
}

void openSearchDialog(TMainForm& window) {
    TdlgSearchForm dialog(
        window.toolForm(), window.interaction(),
        [&window](const QString& condition) { showSearchResults(window, condition); }, &window);
    dialog.exec();
}

void openColumnDialog(TMainForm& window) {
    TdlgShowForm dialog(
        window.session().database, window.interaction(),
        [&window] {
            window.recordGrid()->takeCurrentRow();
            window.BuildRecordColumns();
            window.refreshList();
        },
        &window);
    dialog.exec();
}

void showOptions(TMainForm& window) {
    OptionsModel model(window.session().settings);
    TdlgOptionSetupForm dialog(model, &window);
    dialog.exec();
}

// The About box also offers to mark every record as without logic error.
void showAbout(TMainForm& window) {
    TdlgAboutForm about(ProgramVersion().buildNumber, false, &window);
    about.setStateReset([&window] {
        UserInteraction& ui = window.interaction();
        try {
            if (!check::ResetAllRecordStates(window.session().database.connection(), ui))
                return;
        } catch (const db::EngineError& e) {
            ui.showRuntimeError(FailureReason(e));
        }
        window.refreshList();
    });
    about.exec();
}

} // namespace

void AddShellCommands(CommandSet& commands) {
    commands.add(ActionId::Backup, [](TMainForm& window) {
        BackupDatabase(window.session().database, window.interaction());
        window.recordGrid()->showList();
    });
    commands.add(ActionId::Compress, [](TMainForm& window) {
        CompactDatabase(window.session().database, window.interaction(), &window.recordList());
        window.recordGrid()->showList();
    });
    commands.add(ActionId::Delete, openDeleteDialog);
    commands.add(ActionId::Locate, openLocateDialog);
    commands.add(ActionId::Search, openSearchDialog);
    commands.add(ActionId::RecordGrid, openColumnDialog);
    commands.add(ActionId::Options, showOptions);
    commands.add(ActionId::About, showAbout);
}

} // namespace kestrune::mainwindow
