#pragma once

#include "RecordForm.h"
#include "RecordStore.h"
#include "check/PageRules.h"
#include "check/RuleExplainer.h"
#include "shell/RecordColumns.h"

#include <QString>
#include <functional>
#include <optional>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class RecordList;
class UserInteraction;
} // namespace kestrune::shell

namespace kestrune::entry {

class RecordPages;

inline const QString kTemporarilySaved = QStringLiteral("数据已经被临时保存。");
inline const QString kSavedClean = QStringLiteral("数据保存成功，没有逻辑错误！");
inline const QString kSavedWithErrors = QStringLiteral("数据保存成功，有逻辑错误！");
inline const QString kNoLogicErrors = QStringLiteral("没有逻辑错误");
inline const QString kSaveChangesQuestion =
    QStringLiteral("对数据改动后尚未保存，准备保存这些改动吗？");

// Who started a formal save: a person (button, Enter on the last box) checks
// the pages first; the close guard has just checked them.
enum class SaveStart { Person, CloseGuard };
enum class RecordMove { First, Prior, Next, Last };

// "第%d条/共%d条" for the list's current row; "第1条/共1条" below two rows.
QString PositionCaption(int currentRow, int rowCount);

// The life of the record on the entry dialog: reading it from the record list
// or preparing a new one, the temporary and formal saves with the record
// states they leave, the page and close guards, and moving through the list.
// It keeps the record's form state (`RecordForm`) and reaches the boxes and
// windows through the pages attached to it; whoever opens the dialog owns it.
class RecordEditor {
public:
    RecordEditor(db::Connection& connection, shell::UserInteraction& ui,
                 shell::TFieldDataArray catalogue);
    RecordEditor(const RecordEditor&) = delete;
    RecordEditor& operator=(const RecordEditor&) = delete;

    // The pages it works on from now on (the entry dialog attaches itself).
    void attach(RecordPages& pages) { pages_ = &pages; }
    RecordForm& form() { return form_; }
    const RecordForm& form() const { return form_; }

    // Set by the main window before the dialog is shown.
    void setAdding(bool adding) { adding_ = adding; }
    bool adding() const { return adding_; }
    void SetRecordList(shell::RecordList* list) { list_ = list; }
    // The record the print button prints: the one shown, or after saving a
    // new record the one just saved.
    void setPrintCode(double code) { printCode_ = code; }
    double printCode() const { return printCode_; }
    // What prints a stored record's annual report; the main window hands it
    // over, so that the dialog needs nothing of the printing itself.
    using RecordPrinter = std::function<void(double unitCode)>;
    void setPrinter(RecordPrinter printer) { printer_ = std::move(printer); }
    bool canPrint() const { return bool(printer_); }

    double storedCode() const { return storedCode_; }
    bool savedOnce() const { return savedOnce_; }
    check::LogicErrorList& logicErrors() { return errors_; }

    // The dialog is being shown: the record is loaded, printing offered
    // only for a stored record.
    void FormShow();
    // Fills the pages from the list's current row, or prepares a new record.
    void LoadRecord();
    bool tbHoldClick();
    bool tbSaveClick(SaveStart start = SaveStart::Person);
    void tbCheckClick();
    void tbPrintClick();
    // Before the shown page changes; false refuses the change.
    bool DataPageChanging(int leaving, int entering, bool fromErrorList);
    // Before the record is left (closing, moving); false keeps it.
    bool FormCloseQuery();
    // The close guard as a question, then the list's row and LoadRecord.
    bool Move(RecordMove move);

    bool CheckAllPages();
    // Empties the logic error list and hides its window.
    void ClearLogicErrors();

private:
    bool write(SaveKind kind);
    bool unsavedChanges() const;
    // The saves that may be pressed, shown at once.
    void setSaves(bool hold, bool save);
    // Shows the logic error list's window when the checks found something.
    void showFoundErrors();
    void showPosition();

    db::Connection& connection_;
    shell::UserInteraction& ui_;
    RecordPages* pages_ = nullptr;
    check::RuleExplainer explainer_;
    RecordForm form_;
    check::LogicErrorList errors_;
    check::PageRuleCheck pageRules_;
    shell::RecordList* list_ = nullptr;
    bool adding_ = false;
    bool savedOnce_ = false;
    double storedCode_ = 0;
    double printCode_ = 0;
    RecordPrinter printer_;
};

} // namespace kestrune::entry
