#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli query FIELD OP VALUE [OP VALUE] [--out FILE.xlsx | --out-db FILE.mdb]
// The indicator query without windows: the records whose FIELD compares with
// the values (OP one of = > < >= <=). Prints the count and the unit codes
// found, or writes the result list as a workbook (--out) or the found
// records' stored columns as a database file (--out-db). Exit status 0 when
// something was found (and written), 1 when nothing was found, 2 when the
// condition was refused or the export failed.
int runQuery(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
