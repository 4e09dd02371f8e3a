#pragma once

#include "mainwindow/MainActions.h"

#include <QString>
#include <functional>
#include <map>

namespace kestrune::mainwindow {

class TMainForm;

// What one of the main window's actions does. The action itself (its name,
// caption, menus and Enabled rule) stands in the action table; the function
// behind it belongs to the subsystem that offers it.
using MainCommand = std::function<void(TMainForm& window)>;

// The functions behind the main window's actions and group-bar items. Each
// subsystem adds its own in a file of its own (ShellCommands.cpp,
// EntryCommands.cpp, CheckCommands.cpp), so a new subsystem brings a new file
// rather than another branch in the window.
class CommandSet {
public:
    // Adding a second function for one action is a programming error.
    void add(ActionId action, MainCommand command);
    void addItem(const QString& itemName, MainCommand command);

    bool offers(ActionId action) const { return commands_.contains(action); }
    // Runs the action's function; an action whose function has not come yet
    // does nothing.
    void run(ActionId action, TMainForm& window) const;
    void runItem(const QString& itemName, TMainForm& window) const;

private:
    std::map<ActionId, MainCommand> commands_;
    std::map<QString, MainCommand> items_;
};

// What each subsystem offers the main window.
void AddShellCommands(CommandSet& commands);
void AddEntryCommands(CommandSet& commands);
void AddCheckCommands(CommandSet& commands);
void AddListExportCommands(CommandSet& commands);
void AddPrintCommands(CommandSet& commands);
void AddQueryCommands(CommandSet& commands);
void AddExchangeCommands(CommandSet& commands);
void AddImportCommands(CommandSet& commands);
void AddSumCommands(CommandSet& commands);

// Every subsystem's commands, gathered once.
const CommandSet& MainCommands();

} // namespace kestrune::mainwindow
