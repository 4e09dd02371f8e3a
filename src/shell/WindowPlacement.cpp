#include "WindowPlacement.h"

#include <algorithm>

namespace kestrune::shell {

QRect KeptInside(const QRect& area, const QRect& frame) {
    QRect kept = frame;
    if (kept.right() > area.right())
        kept.moveRight(area.right());
    if (kept.bottom() > area.bottom())
        kept.moveBottom(area.bottom());
    // A window larger than the area keeps its title bar and left edge reachable.
    if (kept.left() < area.left())
        kept.moveLeft(area.left());
    if (kept.top() < area.top())
        kept.moveTop(area.top());
    return kept;
}

QRect FitIntoArea(const QRect& area, const QMargins& frame, const QSize& wanted,
                  const QSize& minimum, const QPoint& preferredTopLeft) {
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    // The room from the preferred corner on: where it fits, the window keeps its place.
    const QPoint corner(std::clamp(preferredTopLeft.x(), area.left(), area.right()),
                        std::clamp(preferredTopLeft.y(), area.top(), area.bottom()));
    const QSize room(area.right() + 1 - corner.x() - frameWidth,
                     area.bottom() + 1 - corner.y() - frameHeight);
    const QSize size = wanted.boundedTo(room).expandedTo(minimum);
    const QRect placed =
        KeptInside(area, QRect(preferredTopLeft,
                               QSize(size.width() + frameWidth, size.height() + frameHeight)));
    return QRect(placed.topLeft() + QPoint(frame.left(), frame.top()), size);
}

QRect MessageBoxZone(const QRect& window) {
    QRect zone(0, 0, std::min(520, window.width()), std::min(240, window.height()));
    zone.moveCenter(window.center());
    return zone;
}

QRect PlaceBesideDialog(const QRect& area, const QRect& dialog, const QRect& buttonRow,
                        const QSize& wanted, int minimumHeight) {
    const int width = std::min(wanted.width(), area.width());
    const int height = std::min(wanted.height(), area.height());
    const QRect dialogMessages = MessageBoxZone(dialog);
    const QRect areaMessages = MessageBoxZone(area);
    const auto clear = [&](const QRect& frame) {
        return area.contains(frame) && !frame.intersects(buttonRow) &&
               !frame.intersects(dialogMessages) && !frame.intersects(areaMessages);
    };
    const int left = std::clamp(dialog.left() + 140, area.left(), area.right() + 1 - width);

    // Beside the dialog, where it covers nothing of it.
    const QRect below(left, dialog.bottom() + 1, width, height);
    if (clear(below))
        return below;
    const QRect right(dialog.right() + 1, std::max(area.top(), dialog.top()), width, height);
    if (clear(right))
        return right;

    // Over the dialog's lower part, between the messages' place and the buttons.
    const int lowBottom = buttonRow.top() - 1;
    const int lowTop = std::max({dialogMessages.bottom(), areaMessages.bottom()}) + 1;
    const QRect low(left, std::max(lowTop, lowBottom - height + 1), width,
                    std::min(height, lowBottom - lowTop + 1));
    if (low.height() >= minimumHeight && clear(low))
        return low;

    // Over its upper part, above the messages' place.
    const int highTop = std::max(area.top(), dialog.top());
    const int highBottom = std::min(dialogMessages.top(), areaMessages.top()) - 1;
    const QRect high(left, highTop, width, std::min(height, highBottom - highTop + 1));
    if (high.height() >= minimumHeight && clear(high))
        return high;

    // A screen too small for all that: clear of the buttons at least.
    return KeptInside(area, QRect(left, lowBottom - height + 1, width, height));
}

} // namespace kestrune::shell
