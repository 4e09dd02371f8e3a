#include "RecordEditor.h"

#include "RecordPages.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/RecordList.h"
#include "shell/SurveyTerms.h"
#include "shell/UserInteraction.h"

namespace kestrune::entry {

QString PositionCaption(int currentRow, int rowCount) {
    if (rowCount < 2)
        return QStringLiteral("第1条/共1条");
    return QStringLiteral("第%1条/共%2条").arg(currentRow + 1).arg(rowCount);
}

RecordEditor::RecordEditor(db::Connection& connection, shell::UserInteraction& ui,
                           shell::TFieldDataArray catalogue)
    : connection_(connection), ui_(ui), explainer_(connection, ui), form_(std::move(catalogue)),
      pageRules_(connection, explainer_, ui, errors_,
                 [this](const QString& name) { return form_.values().number(name); }) {}

void RecordEditor::setSaves(bool hold, bool save) {
    form_.setSaves(hold, save);
    pages_->showSaves();
}

void RecordEditor::FormShow() {
    LoadRecord();
    pages_->setPrintEnabled(!adding_);
}

void RecordEditor::LoadRecord() {
    pages_->setLoaded(false);
    const std::optional<double> current = list_ ? list_->currentCode() : std::nullopt;
    try {
        if (adding_) {
            savedOnce_ = false;
            storedCode_ = 0;
            form_.prepareNew();
            form_.proposeCover(NextUnitCode(connection_), ReadLastCover());
            pages_->showProposedCover();
        } else {
            storedCode_ = current.value_or(0);
            printCode_ = storedCode_;
            form_.read(current ? ReadStoredRecord(connection_, *current) : QVariantMap());
            pages_->showValues();
            pages_->RunCoverExits();
        }
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    form_.applyLevelRules(form_.levelCode());
    pages_->showValues();
    pages_->ShowCoverPage();
    showPosition();
    pages_->showModeButtons(adding_);
    setSaves(false, false);
    pages_->setLoaded(true);
}

void RecordEditor::showPosition() {
    const int rows = list_ ? list_->rowCount() : 0;
    const int row = list_ ? list_->currentRow() : 0;
    pages_->showPosition(PositionCaption(row, rows), !adding_, rows >= 2 && !adding_);
    pages_->setNavigation(rows > 0 && row > 0, rows > 0 && row < rows - 1);
}

bool RecordEditor::write(SaveKind kind) {
    const bool newRow = adding_ && !savedOnce_;
    // A new record leaves the list where it was; an edited one stays current
    // under the code it is now stored with.
    const std::optional<double> bookmark = list_ ? list_->currentCode() : std::nullopt;
    try {
        storedCode_ = WriteRecord(connection_, form_.values().written(), kind, newRow, storedCode_);
        printCode_ = storedCode_;
    } catch (const db::EngineError& e) {
        ui_.showMessage(SaveErrorMessage(shell::FailureReason(e)), shell::MessageKind::Error);
        return false;
    }
    if (list_) {
        try {
            list_->requeryAndGoTo(adding_ ? bookmark : std::optional<double>(storedCode_));
        } catch (const db::EngineError& e) {
            ui_.showRuntimeError(shell::FailureReason(e));
        }
        showPosition();
    }
    return true;
}

bool RecordEditor::tbHoldClick() {
    if (!pages_->ValidateCover(adding_, storedCode_))
        return false;
    if (!write(SaveKind::Temporary))
        return false;
    savedOnce_ = true;
    setSaves(false, form_.saveEnabled());
    pages_->setPrintEnabled(true);
    ui_.showMessage(kTemporarilySaved);
    return true;
}

bool RecordEditor::tbSaveClick(SaveStart start) {
    if (!pages_->ValidateCover(adding_, storedCode_))
        return false;
    if (start == SaveStart::Person && shell::IsAnsweringUnit(form_.reportingState()))
        CheckAllPages();
    const bool clean = errors_.isEmpty();
    if (!write(clean ? SaveKind::FormalClean : SaveKind::FormalWithErrors))
        return false;
    setSaves(false, false);
    savedOnce_ = false;
    pages_->setPrintEnabled(true);
    ui_.showMessage(clean ? kSavedClean : kSavedWithErrors);
    StoreLastCover(form_.enteredCover());
    if (adding_)
        LoadRecord();
    return true;
}

void RecordEditor::tbPrintClick() {
    if (printer_ && printCode_ != 0)
        printer_(printCode_);
}

void RecordEditor::tbCheckClick() {
    if (!pages_->ValidateCover(adding_, storedCode_))
        return;
    CheckAllPages();
    if (errors_.isEmpty()) {
        ui_.showMessage(kNoLogicErrors);
        pages_->hideLogicErrors();
        return;
    }
    pages_->showLogicErrors();
    pages_->FocusFirstField();
}

void RecordEditor::showFoundErrors() {
    if (!errors_.isEmpty())
        pages_->showLogicErrors();
}

bool RecordEditor::CheckAllPages() {
    const bool empty = pageRules_.CheckAllPages();
    showFoundErrors();
    return empty;
}

void RecordEditor::ClearLogicErrors() {
    errors_.clear();
    pages_->hideLogicErrors();
}

bool RecordEditor::DataPageChanging(int leaving, int entering, bool fromErrorList) {
    if (!pages_->loaded() || !shell::IsAnsweringUnit(form_.reportingState()))
        return true;
    ClearLogicErrors();
    if (leaving == 0) {
        if (!pages_->ValidateCover(adding_, storedCode_))
            return false;
        if (!fromErrorList)
            return true;
    }
    pageRules_.CheckPage(entering, true);
    if (leaving != 0)
        pageRules_.CheckPage(leaving, false);
    showFoundErrors();
    return true;
}

bool RecordEditor::unsavedChanges() const {
    return form_.unsavedChanges(form_.reportingState());
}

bool RecordEditor::FormCloseQuery() {
    if (unsavedChanges() && ui_.confirm(kSaveChangesQuestion, QStringLiteral("提示信息"))) {
        if (!pages_->ValidateCover(adding_, storedCode_))
            return false;
        if (shell::IsAnsweringUnit(form_.reportingState()))
            CheckAllPages();
        pages_->hideLogicErrors();
        // A save that failed (the database busy, the disk full) keeps the
        // dialog open with what was typed.
        return errors_.isEmpty() ? tbSaveClick(SaveStart::CloseGuard) : tbHoldClick();
    }
    pages_->hideLogicErrors();
    return true;
}

bool RecordEditor::Move(RecordMove move) {
    if (!list_ || list_->isEmpty() || !FormCloseQuery())
        return false;
    const int last = list_->rowCount() - 1;
    const int row = list_->currentRow();
    switch (move) {
    case RecordMove::First:
        list_->setCurrentRow(0);
        break;
    case RecordMove::Prior:
        list_->setCurrentRow(std::max(0, row - 1));
        break;
    case RecordMove::Next:
        list_->setCurrentRow(std::min(last, row + 1));
        break;
    case RecordMove::Last:
        list_->setCurrentRow(last);
        break;
    }
    LoadRecord();
    pages_->setPrintEnabled(true);
    return true;
}

} // namespace kestrune::entry
