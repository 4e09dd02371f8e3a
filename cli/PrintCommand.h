#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli print CODE --out FILE.xlsx
// Fills the print template with the record of unit code CODE exactly as the
// window's print command does and writes the workbook to FILE (replaced
// whole, never half written) instead of handing it over. Exit status 0 when
// written, 2 for wrong arguments or a report that could not be filled.
int runPrint(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
