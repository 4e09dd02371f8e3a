#pragma once

#include "mainwindow/MainActions.h"
#include "shell/ListKeyRelease.h"
#include "shell/RecordList.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QStackedWidget;
class QToolBox;

namespace kestrune::entry {
class RecordEditor;
class TdlgSurveyDataForm;
} // namespace kestrune::entry

namespace kestrune::shell {
struct Session;
class UserInteraction;
class TRecordGrid;
class TProgressBarForm;
class TProgressBar2LineForm;
class TToolForm;
} // namespace kestrune::shell

namespace kestrune::mainwindow {

// The program's only top-level window: the group bar, the record list over
// its background picture, the menus and the status bar. It owns the record
// list; every function is one of its actions, run by the command that the
// subsystem offering it added to `MainCommands()`.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(shell::Session& session, shell::UserInteraction& ui, QWidget* parent = nullptr);
    ~TMainForm() override;

    QAction* action(ActionId id) const;
    QAction* actionByName(const QString& name) const;
    QToolBox* groupBar() const { return groupBar_; }
    shell::TRecordGrid* recordGrid() const { return grid_; }
    QLabel* versionPane() const { return versionPane_; }
    QLabel* clockPane() const { return clockPane_; }
    QMenu* recordPopup() const { return popup_; }
    shell::RecordList& recordList() { return recordList_; }
    shell::Session& session() { return session_; }
    shell::UserInteraction& interaction() { return ui_; }
    // The code menu the search and entry dialogs share; a long-lived window.
    shell::TToolForm& toolForm();
    MainWindowState state() const;

    // Re-queries the list and returns to the row that was current.
    void refreshList();
    // Re-evaluates every action's Enabled rule.
    void updateActions();
    // The windows that live as long as the main window, in their order.
    void createLongLivedWindows();
    QStringList longLivedWindowNames() const;
    // The start-up splash: the About box, closing itself after 2 seconds.
    void showSplash();
    // The columns from the catalogue again (start-up and the column dialog).
    void BuildRecordColumns();
    // The entry dialog over the list: adding new records, or editing the
    // current one and moving through the list.
    void openRecordEditor(bool adding);
    // The entry dialog editing the current record of another list (a search's
    // results), its navigation moving through that list; afterwards the list
    // is queried again. Nothing happens while the list is empty.
    void editRecordsOf(shell::RecordList& list);
    entry::TdlgSurveyDataForm* entryForm() const { return entryForm_; }
    // Unit codes of the marked rows, or of the current row when none is marked.
    QList<double> selectedCodes();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createGroupBar();
    void createListArea();
    void createStatusBar();
    void openRecordList();
    // An action the person chose: only while its Enabled rule allows.
    void runAction(ActionId id);
    bool createEntryForm();
    // Shows the entry dialog over a list; false when it could not be created.
    bool showRecordEditor(shell::RecordList& list, bool adding);

    shell::Session& session_;
    shell::UserInteraction& ui_;
    shell::RecordList recordList_;
    std::map<ActionId, QAction*> actions_;
    QToolBox* groupBar_ = nullptr;
    QStackedWidget* listArea_ = nullptr;
    shell::TRecordGrid* grid_ = nullptr;
    QLabel* background_ = nullptr;
    QLabel* versionPane_ = nullptr;
    QLabel* clockPane_ = nullptr;
    QMenu* popup_ = nullptr;
    QPointer<shell::TProgressBarForm> progressForm_;
    QPointer<shell::TProgressBar2LineForm> progress2Form_;
    QPointer<shell::TToolForm> toolForm_;
    // The entry dialog's editor outlives every use of the dialog, a child
    // that lives as long as this window.
    std::unique_ptr<entry::RecordEditor> entryEditor_;
    entry::TdlgSurveyDataForm* entryForm_ = nullptr;
    bool listVisible_ = true;
    shell::ListKeyRelease listKeys_;
};

} // namespace kestrune::mainwindow
