#pragma once

#include <QString>
#include <vector>

namespace kestrune::shell {

// One survey table the list export can take, with the catalogue rows that
// belong to it: fields whose name holds `prefix`, `sequence` within
// firstSequence..lastSequence.
struct ExportTable {
    QString caption;
    QString prefix;
    int firstSequence = 8;
    int lastSequence = 999;
    bool checked = true;
};

// The 14 tables in their fixed order, all checked.
std::vector<ExportTable> StandardExportTables();

inline const QString kExportTableFileName = QStringLiteral("exporttable.jg");

// The table list with the check marks of an "exporttable.jg" file. The file
// is UTF-8 text, one table per line in the fixed order, "[x] caption" for a
// checked table and "[ ] caption" for one left out; blank lines and lines
// beginning with "#" are skipped. The n-th entry line names the n-th table
// (its caption replaces the built-in one); tables after the last line keep
// their built-in entry. A missing or unreadable file gives the 14 tables
// all checked.
std::vector<ExportTable> ReadExportTables(const QString& path);
std::vector<ExportTable> ParseExportTables(const QString& text);
// The file's text for a table list (the form the installed file has).
QString FormatExportTables(const std::vector<ExportTable>& tables);

} // namespace kestrune::shell
