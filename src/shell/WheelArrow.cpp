#include "WheelArrow.h"

#include <Qt>

namespace kestrune::shell {

int WheelArrowKey(int delta) {
    return delta > 0 ? Qt::Key_Up : Qt::Key_Down;
}

} // namespace kestrune::shell
