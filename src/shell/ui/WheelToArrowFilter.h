#pragma once

#include <QObject>

namespace kestrune::shell {

// Installed on the application: every wheel turn in any window becomes an
// arrow key for the focused widget (forward Up, backward Down), so lists and
// entry fields move by one row or field per step.
class WheelToArrowFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kestrune::shell
