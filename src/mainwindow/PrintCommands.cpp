// The annual report: printing the list's current record, and the same for
// the entry dialog's print button.
#include "PrintCommands.h"

#include "exchange/AnnualReport.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "shell/RecordList.h"
#include "shell/Startup.h"
#include "shell/ui/RecordGrid.h"

namespace kestrune::mainwindow {

namespace {

void printCurrentRecord(TMainForm& window) {
    window.recordGrid()->takeCurrentRow();
    const std::optional<double> code = window.recordList().currentCode();
    if (!code)
        return;
    exchange::PrintAnnualReport(window.session().database.connection(), window.interaction(),
                                *code);
}

} // namespace

std::function<void(double unitCode)> AnnualReportPrinter(TMainForm& window) {
    return [&window](double unitCode) {
        exchange::PrintAnnualReport(window.session().database.connection(), window.interaction(),
                                    unitCode);
    };
}

void AddPrintCommands(CommandSet& commands) {
    commands.add(ActionId::Print, printCurrentRecord);
}

} // namespace kestrune::mainwindow
