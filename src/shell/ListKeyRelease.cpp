#include "ListKeyRelease.h"

namespace kestrune::shell {

void ListKeyRelease::pressed(int key, bool autoRepeat) {
    if (!autoRepeat)
        pressed_.insert(key);
}

bool ListKeyRelease::released(int key, bool autoRepeat) {
    // A held key repeats press and release; only the final release counts.
    if (autoRepeat)
        return false;
    return pressed_.erase(key) > 0;
}

} // namespace kestrune::shell
