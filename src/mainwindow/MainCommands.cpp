#include "CommandSet.h"

namespace kestrune::mainwindow {

const CommandSet& MainCommands() {
    static const CommandSet commands = [] {
        CommandSet all;
        // One line per subsystem; its commands stay in its own file.
        for (auto* offer : {AddShellCommands, AddEntryCommands, AddCheckCommands,
                            AddListExportCommands, AddPrintCommands, AddQueryCommands, AddExchangeCommands, AddImportCommands, AddSumCommands})
            offer(all);
        return all;
    }();
    return commands;
}

} // namespace kestrune::mainwindow
