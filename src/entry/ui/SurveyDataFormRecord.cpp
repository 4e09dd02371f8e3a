// The entry dialog's side of a record's life: what the record editor asks of
// the boxes, buttons and pages, and the guards in front of page changes and
// closing.
#include "SurveyDataForm.h"
#include "check/ui/MessageListWinForm.h"
#include "entry/EntryLayout.h"
#include "entry/RegionChoice.h"
#include "entry/RtfNotes.h"
#include "shell/SurveyTerms.h"
#include "shell/ui/ToolForm.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <utility>

namespace kestrune::entry {

void TdlgSurveyDataForm::showEvent(QShowEvent* event) {
    // The window system's own show events (a restore) do not load anything.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TdlgSurveyDataForm::FormShow() {
    placeOnScreen();
    LoadCodeLists();
    editor_.FormShow();
}

bool TdlgSurveyDataForm::turnToPage(int page, bool fromErrorList) {
    const int leaving = pages_->currentIndex();
    if (page == leaving || page < 0 || page >= pages_->count())
        return page == leaving;
    if (!editor_.DataPageChanging(leaving, page, fromErrorList))
        return false;
    pages_->setCurrentIndex(page);
    return true;
}

void TdlgSurveyDataForm::goToLogicError(int page, const QString& field) {
    if (!turnToPage(page, true))
        return;
    QWidget* target = boxNamed(field);
    if (target && target->isEnabled())
        target->setFocus();
}

bool TdlgSurveyDataForm::filterPageKeys(QObject* watched, QEvent* event) {
    QTabBar* bar = pages_->tabBar();
    if (watched == bar && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int tab = bar->tabAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && tab >= 0)
            turnToPage(tab);
        return true;
    }
    if (watched == bar && event->type() == QEvent::Wheel)
        return true;
    if (watched == pages_ && event->type() == QEvent::KeyPress) {
        // The page control's own Ctrl+Tab and Ctrl+PgUp/PgDn.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->modifiers().testFlag(Qt::ControlModifier))
            return false;
        const int count = pages_->count();
        const int page = pages_->currentIndex();
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown) {
            turnToPage((page + 1) % count);
            return true;
        }
        if (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_PageUp) {
            turnToPage((page + count - 1) % count);
            return true;
        }
    }
    return false;
}

void TdlgSurveyDataForm::tbReturnClick() {
    // Leaving by the button asks about unsaved changes as closing does.
    reject();
}

void TdlgSurveyDataForm::reject() {
    if (editor_.FormCloseQuery())
        QDialog::reject();
}

QWidget* TdlgSurveyDataForm::boxNamed(const QString& name) const {
    if (QWidget* exact = boxes_.value(name))
        return exact;
    // Rules may write a field's name in another letter case.
    for (auto it = boxes_.constBegin(); it != boxes_.constEnd(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    return nullptr;
}

void TdlgSurveyDataForm::showProposedCover() {
    showValues();
    auto* region = qobject_cast<QLineEdit*>(boxes_.value(QStringLiteral("CityNameCtrl")));
    const int regionCode = form_.heldCode(HeldCode::Region);
    shell::SetHeldCode(region, regionCode);
    region->setText(regionCode > 0 ? RegionName(connection_, regionCode, ui_) : QString());
    for (const auto& [held, nameBox] : {std::pair{HeldCode::Level, QStringLiteral("LevelName")},
                                        {HeldCode::ReportingState, QStringLiteral("StateName")}}) {
        auto* names = qobject_cast<QLineEdit*>(boxes_.value(nameBox));
        shell::SetHeldCode(names, form_.heldCode(held));
        names->clear();
    }
}

void TdlgSurveyDataForm::RunCoverExits() {
    c903Exit(false);
    c904Exit(false);
    c907Exit(false);
}

void TdlgSurveyDataForm::ShowCoverPage() {
    pages_->setCurrentIndex(0);
    LoadNotes(PageNotesName(0));
    boxes_.value(shell::kUnitCodeField)->setFocus();
}

void TdlgSurveyDataForm::showSaves() {
    buttons_.value(QStringLiteral("tbHold"))->setEnabled(form_.holdEnabled());
    buttons_.value(QStringLiteral("tbSave"))->setEnabled(form_.saveEnabled());
    buttons_.value(QStringLiteral("tbCheck"))->setEnabled(form_.checkEnabled());
}

void TdlgSurveyDataForm::setPrintEnabled(bool enabled) {
    printWanted_ = enabled;
    buttons_.value(QStringLiteral("tbPrint"))->setEnabled(enabled && editor_.canPrint());
}

void TdlgSurveyDataForm::showModeButtons(bool adding) {
    buttons_.value(QStringLiteral("tbAdd"))->setVisible(adding);
    buttons_.value(QStringLiteral("tbSave"))->setVisible(!adding);
}

void TdlgSurveyDataForm::showPosition(const QString& caption, bool captionShown,
                                      bool navigationShown) {
    itemNo_->setText(caption);
    itemNo_->setVisible(captionShown);
    navBar_->setVisible(navigationShown);
}

void TdlgSurveyDataForm::setNavigation(bool backward, bool forward) {
    nav_.value(QStringLiteral("actFirst"))->setEnabled(backward);
    nav_.value(QStringLiteral("actPrev"))->setEnabled(backward);
    nav_.value(QStringLiteral("actNext"))->setEnabled(forward);
    nav_.value(QStringLiteral("actLast"))->setEnabled(forward);
}

void TdlgSurveyDataForm::showLogicErrors() {
    messageList_->refresh();
}

void TdlgSurveyDataForm::hideLogicErrors() {
    messageList_->hide();
}

} // namespace kestrune::entry
