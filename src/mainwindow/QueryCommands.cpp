// The commands of the indicator query: the condition dialog, its result list,
// and the entry dialog over the results.
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "query/ui/DataSearchForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/Startup.h"
#include "shell/UserInteraction.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/RecordGrid.h"

namespace kestrune::mainwindow {

using namespace shell;

namespace {

// The result list of a condition, shown modally; a failing query is reported
// and no list opens.
void showQueryResults(TMainForm& window, const ResultCondition& condition) {
    UserInteraction& ui = window.interaction();
    TdlgQueryListForm results(window.session().database, ui, &window);
    results.setRecordEditing([&window](RecordList& list) { window.editRecordsOf(list); });
    try {
        results.setCondition(condition.text, condition.values);
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(FailureReason(e));
        return;
    }
    results.exec();
}

void openConditionSearch(TMainForm& window) {
    query::TdlgDataSearchForm dialog(
        window.session().database.connection(), window.toolForm(), window.interaction(),
        [&window](const query::IndicatorCondition& condition) {
            showQueryResults(window, condition.statement);
            // The results may have been edited or deleted: the main list
            // follows, on the row it was on.
            window.recordGrid()->takeCurrentRow();
            try {
                window.recordList().requeryAndReturn();
            } catch (const db::EngineError&) {
            }
            window.recordGrid()->showList();
            window.updateActions();
        },
        &window);
    dialog.exec();
}

} // namespace

void AddQueryCommands(CommandSet& commands) {
    commands.add(ActionId::ConditionSearch, openConditionSearch);
}

} // namespace kestrune::mainwindow
