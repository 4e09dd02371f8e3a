// Where the entry dialog and its logic error list go on the screen, and how
// a page lower than the dialog follows the focus.
#include "SurveyDataForm.h"
#include "check/ui/MessageListWinForm.h"
#include "shell/WindowPlacement.h"
#include "shell/ui/DialogParts.h"

#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>

namespace kestrune::entry {

QRect TdlgSurveyDataForm::frameOnScreen() const {
    return geometry().marginsAdded(shell::WindowFrameWidths(this));
}

void TdlgSurveyDataForm::placeOnScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    setGeometry(shell::FitIntoArea(shownOn->availableGeometry(), shell::WindowFrameWidths(this),
                                   QSize(kClientWidth, kClientHeight), minimumSizeHint(),
                                   shownOn->geometry().topLeft() + QPoint(10, 2)));
}

QRect TdlgSurveyDataForm::errorListPlace(const QSize& wanted) const {
    const QRect dialog = frameOnScreen();
    // The whole row of the command and navigation buttons, across the dialog.
    QRect buttons;
    for (QPushButton* button : buttons_)
        if (button->isVisible())
            buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    if (navBar_->isVisible())
        buttons |= QRect(navBar_->mapToGlobal(QPoint(0, 0)), navBar_->size());
    const QRect buttonRow(dialog.left(), buttons.top(), dialog.width(), buttons.height());
    const QRect area = screen() ? screen()->availableGeometry() : dialog;
    return shell::PlaceBesideDialog(area, dialog, buttonRow, wanted, kErrorListMinimumHeight);
}

void TdlgSurveyDataForm::showBox(QWidget* box) {
    // A page lower than the dialog scrolls to the box that takes the focus.
    for (QWidget* up = box->parentWidget(); up; up = up->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
            scroll->ensureWidgetVisible(box);
            return;
        }
    }
}

} // namespace kestrune::entry
