// The commands of record entry: adding new records and editing the current one.
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"

namespace kestrune::mainwindow {

void AddEntryCommands(CommandSet& commands) {
    commands.add(ActionId::AddNew, [](TMainForm& window) { window.openRecordEditor(true); });
    commands.add(ActionId::Modify, [](TMainForm& window) { window.openRecordEditor(false); });
}

} // namespace kestrune::mainwindow
