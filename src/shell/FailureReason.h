#pragma once

#include "schema/EngineError.h"

#include <QString>

namespace kestrune::shell {

// What an engine failure means to the person: for the kinds the engine tells
// apart, a sentence in the program's words ending in "。"; otherwise the
// engine's own text.
QString FailureReason(const db::EngineError& error);

} // namespace kestrune::shell
