#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli export-list [--range FROM TO | --group-item ID]
//                          [--tables all|N,N,...] --out FILE.xlsx
// Writes the list workbook the window's "导出数据列表" writes: every record,
// a unit-code range or a group item's band, with the tables of the installed
// "exporttable.jg" (or all, or those numbered 1..14). Exit status 0 when the
// file was written, 1 when there was nothing to write, 2 otherwise.
int runExportList(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
