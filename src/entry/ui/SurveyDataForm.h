#pragma once

#include "entry/RecordEditor.h"
#include "entry/RecordPages.h"
#include "shell/CodeList.h"
#include "shell/RecordColumns.h"

#include <QDialog>
#include <QMap>
#include <QSet>
#include <QVariantMap>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QAction;

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class TToolForm;
class UserInteraction;
} // namespace kestrune::shell
namespace kestrune::check {
class TMessageListWinForm;
}

namespace kestrune::entry {

class TNumberEdit;

// "基层以上单位数据": one survey record on fourteen pages, every box named
// after its column and bound to it through the field catalogue. The main
// window creates it once, with the record editor it owns, and shows it for
// adding or editing records; the editor decides what loading, saving and
// leaving do, and its RecordForm which saves may be pressed, which codes the
// cover holds and which boxes are open.
class TdlgSurveyDataForm : public QDialog, public RecordPages {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 995;
    static constexpr int kClientHeight = 708;
    // The logic error list may be made this low to stay clear of the buttons.
    static constexpr int kErrorListMinimumHeight = 120;

    // Attaches itself to the editor, which is to outlive every use of the
    // dialog; the catalogue is the editor's.
    TdlgSurveyDataForm(RecordEditor& editor, db::Connection& connection, shell::UserInteraction& ui,
                       shell::TToolForm& codeMenu, QWidget* parent = nullptr);

    QTabWidget* DataPage() const { return pages_; }
    QTextBrowser* rtfNotes() const { return notes_; }
    QWidget* box(const QString& fieldName) const;
    QPushButton* button(const QString& name) const;
    QAction* navAction(const QString& name) const;
    QLabel* itemNo() const { return itemNo_; }
    QToolBar* navBar() const { return navBar_; }
    check::TMessageListWinForm* messageList() const { return messageList_; }
    RecordEditor& editor() { return editor_; }
    // Whether printing is offered now; the print button is enabled when the
    // editor also has something to print with.
    bool printWanted() const { return printWanted_; }

    // Showing the dialog: the code lists are read and the record is loaded.
    void FormShow();
    // At the form's place and size, or moved and lowered to lie within the
    // screen's available area.
    void placeOnScreen();
    // Where the logic error list goes (a frame rectangle on the screen).
    QRect errorListPlace(const QSize& wanted) const;
    // Turns to a page through the page guard; false when the guard refused.
    bool turnToPage(int page, bool fromErrorList = false);
    // The logic error list's double click: the rule's page, then its box.
    void goToLogicError(int page, const QString& field);
    // "返  回": closes without asking and without saving.
    void tbReturnClick();
    // Closing asks to save unsaved changes first.
    void reject() override;

    // The boxes show the editor's RecordForm: its values, and which boxes the
    // level and reporting-state rules leave open.
    void showValues() override;
    void showProposedCover() override;
    void RunCoverExits() override;
    // A level or reporting state chosen or read: the form applies its rules
    // and the boxes follow.
    void ApplyLevelRules(int level);
    void ApplyReportingState(int state);
    int levelCode() const { return form_.levelCode(); }
    int stateCode() const { return form_.reportingState(); }

    void ShowCoverPage() override;
    void FocusFirstField() override;
    void FocusNextField(QWidget* from);
    void FocusPriorField(QWidget* from);
    bool modified() const { return form_.modified(); }

    void showSaves() override;
    void setPrintEnabled(bool enabled) override;
    void showModeButtons(bool adding) override;
    void showPosition(const QString& caption, bool captionShown, bool navigationShown) override;
    void setNavigation(bool backward, bool forward) override;
    void showLogicErrors() override;
    void hideLogicErrors() override;

    // The pages are filled: leaving a box checks it.
    void setLoaded(bool loaded) override { loaded_ = loaded; }
    bool loaded() const override { return loaded_; }
    // The code lists of the name boxes, read each time the dialog is shown.
    void LoadCodeLists();
    // Leaving the code boxes: the name beside the box follows the code, the
    // level and state rules apply; an unknown code returns the focus to the
    // box, with a message when a person left it.
    bool c903Exit(bool byPerson);
    bool c904Exit(bool byPerson);
    bool c907Exit(bool byPerson);
    void LoadNotes(const QString& name);
    // Checks the cover before the record is saved or the cover is left: the
    // first broken rule is shown and its box gets the focus; a unit code that
    // another record has disables both saves and shows the cover.
    bool ValidateCover(bool adding, double storedCode) override;
    void openRegionPicker();
    // Entering the name, filler or phone box asks for the preferred input
    // method (the "ImePrefer" setting) to be opened.
    void setPreferredInputMethod(const QString& name) { preferredInputMethod_ = name; }
    void EditBoxEnter(QWidget* box);
    QString lastInputMethodRequest() const { return lastInputMethodRequest_; }

Q_SIGNALS:
    // Enter on the last box of the last page.
    void formalSaveRequested();
    // Ctrl+S.
    void temporarySaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildCover();
    QWidget* buildSurveyPage(int index);
    void buildButtons();
    // Binds a box to its field: what the box holds is forwarded to the form.
    void bindBox(QWidget* box);
    void takeBoxValue(QWidget* box);
    void MarkModified();
    // The code beside its name, in the form and for the code menu's check mark.
    void holdCode(HeldCode which, const QString& nameBox, int code);
    void applyCatalogueLimits();
    QList<QWidget*> tabStops(int page) const;
    void checkLeftBox(QWidget* box);
    bool filterCoverKey(QWidget* box, QKeyEvent* key);
    void replaceShownZero(QWidget* box, QKeyEvent* key);
    void refocus(QWidget* box);
    void showBox(QWidget* box);
    QRect frameOnScreen() const;
    bool filterPageKeys(QObject* watched, QEvent* event);
    QWidget* boxNamed(const QString& name) const;
    void chooseCode(const QString& nameBox);
    bool codeBoxExit(HeldCode held, const QString& codeBox, const QString& nameBox,
                     const shell::TMenuItemDataArray& codes, const QString& unknown,
                     void (TdlgSurveyDataForm::*apply)(int), bool byPerson);

    RecordEditor& editor_;
    RecordForm& form_;
    db::Connection& connection_;
    shell::UserInteraction& ui_;
    shell::TToolForm& codeMenu_;
    shell::TMenuItemDataArray levels_;
    shell::TMenuItemDataArray states_;
    bool loaded_ = false;
    // The boxes are being filled from the form: nothing to forward back.
    bool showing_ = false;
    QString preferredInputMethod_;
    QString lastInputMethodRequest_;

    const shell::TFieldDataArray& catalogue_;
    QMap<QString, QString> hints_;
    QSet<QString> decimalFields_; // QueryType::Decimal
    QTabWidget* pages_;
    QTextBrowser* notes_;
    QMap<QString, QWidget*> boxes_;
    QMap<QString, QPushButton*> buttons_;
    QMap<QString, QAction*> nav_;
    QList<QWidget*> pageContainers_;
    QLabel* itemNo_ = nullptr;
    QToolBar* navBar_ = nullptr;
    bool printWanted_ = false;
    check::TMessageListWinForm* messageList_ = nullptr;
};

} // namespace kestrune::entry
