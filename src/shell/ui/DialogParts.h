#pragma once

#include <QString>
#include <functional>

class QDialog;
class QMargins;
class QHBoxLayout;
class QObject;
class QPushButton;
class QValidator;
class QWidget;

namespace kestrune::shell {

// The row of a small dialog: the button that runs it (the default button)
// and "返  回", which closes it, at the right.
QHBoxLayout* RunAndReturnButtons(QDialog* dialog, const QString& runCaption,
                                 const std::function<void()>& run,
                                 QPushButton** runButton = nullptr);

// Digits only, as the unit-code and range edits take them.
QValidator* DigitsValidator(QObject* parent);

// The widths of a window's frame, as the window manager draws it; a usual
// frame while it has none yet (before it is shown, or on a platform without one).
QMargins WindowFrameWidths(const QWidget* window);

// Text boxes refuse the single quote, the double quote and the backquote.
QValidator* NoQuotesValidator(QObject* parent);

} // namespace kestrune::shell
