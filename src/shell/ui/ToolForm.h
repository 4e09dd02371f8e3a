#pragma once

#include "shell/CodeList.h"

#include <QMenu>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

class QLineEdit;

namespace kestrune::shell {

// A code edit holds its code in the "tag" property.
int HeldCode(const QWidget* edit);
void SetHeldCode(QWidget* edit, int code);

// Where the code menu opens: 10 pixels left of the edit's right edge and 30
// above its bottom, in the coordinates of the edit's parent.
QPoint CodeMenuPoint(const QRect& editGeometry);

using CodeCallback = std::function<void(void* context, int code)>;

// The hidden window that holds the shared code-choice menu.
class TToolForm : public QWidget {
    Q_OBJECT
public:
    explicit TToolForm(QWidget* parent = nullptr);

    // Fills the menu with the codes, the one the edit holds checked, and shows
    // it at the edit. Choosing puts the trimmed name into the edit, its code
    // into the edit's tag, and calls the callback.
    void ShowCodeMenu(QLineEdit* edit, const TMenuItemDataArray& codes, CodeCallback callback = {},
                      void* context = nullptr);

    QMenu* menu() { return &menu_; }
    QLineEdit* currentCodeEdit() const { return edit_; }

private:
    void choose(QAction* action);

    QMenu menu_;
    QLineEdit* edit_ = nullptr;
    CodeCallback callback_;
    void* context_ = nullptr;
};

} // namespace kestrune::shell
