#include "ToolForm.h"

#include <QLineEdit>

namespace kestrune::shell {

int HeldCode(const QWidget* edit) {
    return edit->property("tag").toInt();
}
void SetHeldCode(QWidget* edit, int code) {
    edit->setProperty("tag", code);
}

QPoint CodeMenuPoint(const QRect& editGeometry) {
    return QPoint(editGeometry.x() + editGeometry.width() - 10,
                  editGeometry.y() + editGeometry.height() - 30);
}

TToolForm::TToolForm(QWidget* parent) : QWidget(parent), menu_(this) {
    setObjectName(QStringLiteral("ToolForm"));
    hide();
    connect(&menu_, &QMenu::triggered, this, &TToolForm::choose);
}

void TToolForm::ShowCodeMenu(QLineEdit* edit, const TMenuItemDataArray& codes,
                             CodeCallback callback, void* context) {
    edit_ = edit;
    callback_ = std::move(callback);
    context_ = context;
    menu_.clear();
    const int held = HeldCode(edit);
    for (const TCode& code : codes) {
        QAction* item = menu_.addAction(code.Name);
        item->setData(code.ID);
        item->setCheckable(true);
        item->setChecked(code.ID == held);
    }
    QWidget* parent = edit->parentWidget() ? edit->parentWidget() : edit;
    const QPoint at =
        edit->parentWidget() ? CodeMenuPoint(edit->geometry()) : CodeMenuPoint(edit->rect());
    menu_.popup(parent->mapToGlobal(at));
}

void TToolForm::choose(QAction* action) {
    if (!edit_)
        return;
    const int code = action->data().toInt();
    edit_->setText(action->text().trimmed());
    SetHeldCode(edit_, code);
    if (callback_)
        callback_(context_, code);
}

} // namespace kestrune::shell
