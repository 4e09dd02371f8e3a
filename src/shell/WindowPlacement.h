#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kestrune::shell {

// Where a window goes within the available area of its screen (the screen
// less its task bars): at its preferred place and size when they fit, else
// shrunk to the room from its place on, but not below its minimum, and moved
// only when even that does not fit, so that it lies inside with its frame.
// `preferredTopLeft` is the frame's corner; the result is the client geometry
// (what QWidget::setGeometry takes).
QRect FitIntoArea(const QRect& area, const QMargins& frame, const QSize& wanted,
                  const QSize& minimum, const QPoint& preferredTopLeft);

// The frame a window manager adds until the real one is known: borders and a
// title bar.
inline const QMargins kUsualFrame(4, 30, 4, 4);

// Where message boxes appear over a window: its middle.
QRect MessageBoxZone(const QRect& window);

// Where a tool window beside a dialog goes (the logic error list), as a frame
// rectangle inside `area`: below or right of the dialog where there is room,
// else over the dialog's lower part, above its button row. It covers neither
// the button row nor the middle of the dialog or of the area, where message
// boxes appear; it may be lower than `wanted`, not lower than
// `minimumHeight`. Where even that does not fit, it keeps clear of the
// buttons only.
QRect PlaceBesideDialog(const QRect& area, const QRect& dialog, const QRect& buttonRow,
                        const QSize& wanted, int minimumHeight);

// A frame rectangle moved as little as needed to lie inside the area.
QRect KeptInside(const QRect& area, const QRect& frame);

} // namespace kestrune::shell
