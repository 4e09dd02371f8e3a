#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kestrune::mainwindow {

// Every function of the program is one of these actions of the main window.
enum class ActionId {
    AddNew,
    Modify,
    Delete,
    Check,
    CheckSelected,
    ConditionSearch,
    Sum,
    Group,
    SaveList,
    Print,
    FastImport,
    Backup,
    Export,
    Compress,
    Options,
    RecordGrid,
    Locate,
    Search,
    About,
};

enum class EnabledRule { Always, ListNotEmpty, ListVisible };

struct ActionInfo {
    ActionId id;
    QString name;     // "actAddNew"
    QString caption;  // "添加新记录"
    QString category; // "DataProcess", "SysSetup", "Search" or empty
    EnabledRule enabled;
};

const std::vector<ActionInfo>& MainActions();
const ActionInfo& ActionInfoOf(ActionId id);

// What the Enabled rules look at.
struct MainWindowState {
    bool listNotEmpty = false;
    bool listVisible = true;
};

bool ActionEnabled(ActionId id, const MainWindowState& state);

// One entry of the group bar, a menu or the pop-up menu: an action, a
// separator, or an item with its own caption.
struct MenuEntry {
    enum class Kind { Action, Separator, Item };
    Kind kind = Kind::Action;
    ActionId action = ActionId::About;
    QString caption;  // the entry's caption when it differs from the action's
    QString itemName; // Item: what it runs
};

struct MenuGroup {
    QString caption;
    std::vector<MenuEntry> entries;
};

inline const QString kOnlineExportItem = QStringLiteral("OnlineExport");
inline const QString kExitItem = QStringLiteral("Exit");

const std::vector<MenuGroup>& GroupBarGroups();
const std::vector<MenuGroup>& MainMenus();
const std::vector<MenuEntry>& RecordListPopup();

// Caption of an entry as shown.
QString EntryCaption(const MenuEntry& entry);

// Keys released on the record list: Enter modifies, Insert adds, Delete opens
// the delete dialog (even while actDelete is disabled).
enum class ListKeyCommand { None, Modify, AddNew, OpenDeleteDialog };
ListKeyCommand ListKeyCommandFor(int key);

// Ctrl+L locates and Ctrl+F opens the indicator query, anywhere in the main
// window, while actLocate is enabled.
std::optional<ActionId> MainShortcutFor(int key, bool control, const MainWindowState& state);

// The long-lived windows, in the order start-up creates them.
const QStringList& StartupWindowOrder();

} // namespace kestrune::mainwindow
