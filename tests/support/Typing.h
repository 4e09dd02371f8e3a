#pragma once

#include <QString>

class QWidget;

namespace kestrune::testing {

// Types into a box as a person does: Latin text key by key, anything else
// (Chinese) committed by the input method.
void typeInto(QWidget* box, const QString& text);

} // namespace kestrune::testing
