#pragma once

#include <set>

namespace kestrune::shell {

// The record list acts when a key is released, but only on a release whose
// press the list received: Enter pressed on a message box's OK or on another
// dialog's button closes that window on the press, and its release, which
// then reaches the list, must not open a record.
class ListKeyRelease {
public:
    void pressed(int key, bool autoRepeat);
    // True when the release ends a press the list received.
    bool released(int key, bool autoRepeat);
    // The list lost the keyboard: presses seen so far end elsewhere.
    void forget() { pressed_.clear(); }

private:
    std::set<int> pressed_;
};

} // namespace kestrune::shell
