#include "WheelToArrowFilter.h"

#include "shell/WheelArrow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace kestrune::shell {

bool WheelToArrowFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = static_cast<QWidget*>(watched);
    const auto key = Qt::Key(WheelArrowKey(wheel->angleDelta().y()));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    return true;
}

} // namespace kestrune::shell
