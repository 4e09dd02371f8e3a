#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// `generate --count N [--seed S]`: adds N made-up survey records to the
// installed database (see generateRecords). Without a seed one is drawn and
// printed, so that the run can be repeated. Exit code 0 when the records were
// added, 1 when the database could not be opened or written, 2 on wrong
// arguments.
int runGenerate(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
