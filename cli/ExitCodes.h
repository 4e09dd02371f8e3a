#pragma once

namespace kestrune::cli {

// What every command's exit code means at 2: wrong arguments, or a run that
// could not be carried out (0 and 1 say how a finished run went, per command).
constexpr int kExitFailed = 2;

} // namespace kestrune::cli
