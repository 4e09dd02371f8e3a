#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli import FILE... [--keep-clean] [--yes]
// Imports the records of the files as the window's data import does, every
// file's label confirmed (--yes answers Yes). All or nothing, unless
// --keep-clean imports the records whose unit codes are free and lists the
// others. Exit status 0 when every record was imported, 1 when conflicts
// left records out or stopped the import (the report's path is printed) or
// a label was not confirmed, 2 for wrong arguments or a file that could not
// be read.
int runImport(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
