#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli check --all | --range FROM TO | --codes CODE,CODE,...
// Checks the chosen records of the installed database against the built-in
// logic rules, writes their states and the report as the program does, and
// prints the report's path and the counts. Exit status 0 when no record breaks
// a rule, 1 when some record does, 2 for wrong arguments or a check that could
// not run to its end (so that a script never takes a failure for a result).
int runCheck(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
