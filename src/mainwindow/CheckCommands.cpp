// The commands of the logic check: the check dialog, and checking the marked
// records at once.
#include "check/LogicCheckRun.h"
#include "check/ReportFileError.h"
#include "check/RuleExplainer.h"
#include "check/ui/CheckForm.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"

namespace kestrune::mainwindow {

namespace {

void openCheckDialog(TMainForm& window) {
    shell::SurveyDatabase& database = window.session().database;
    shell::UserInteraction& ui = window.interaction();
    try {
        check::RuleExplainer explainer(database.connection(), ui);
        check::TdlgCheckForm dialog(
            database.connection(), explainer, ui, database.label(),
            [&window] { return window.selectedCodes(); }, [&window] { window.refreshList(); },
            &window);
        dialog.exec();
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e));
    }
}

// The rows marked in the list (or the current one), without progress.
void checkSelectedRecords(TMainForm& window) {
    const QList<double> codes = window.selectedCodes();
    if (codes.isEmpty())
        return;
    shell::SurveyDatabase& database = window.session().database;
    shell::UserInteraction& ui = window.interaction();
    try {
        check::RuleExplainer explainer(database.connection(), ui);
        check::RunLogicCheck(database.connection(), explainer, ui,
                             check::CheckSelection::unitCodes(codes), database.label());
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e));
    } catch (const check::ReportFileError& e) {
        ui.showRuntimeError(e.text());
    }
    window.refreshList();
}

} // namespace

void AddCheckCommands(CommandSet& commands) {
    commands.add(ActionId::Check, openCheckDialog);
    commands.add(ActionId::CheckSelected, checkSelectedRecords);
}

} // namespace kestrune::mainwindow
