#pragma once

namespace kestrune::shell {

// Every window turns a wheel turn into an arrow key: forward (positive delta)
// Up, else Down.
int WheelArrowKey(int delta);

} // namespace kestrune::shell
