#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli sum --by level|state|group:ID [--sheets N,N,... | --all]
//                  --out FILE.xlsx
// Writes the summary workbook the window's "数据汇总" fills: the chosen
// sheets (1 the cover, 2 to 25 the tables; all without --sheets) broken down
// by union level, reporting state or the items of group ID, with progress on
// the terminal. Exit status 0 when written, 1 when only the cover was chosen,
// 2 for wrong arguments or a summary that could not be made.
int runSum(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
