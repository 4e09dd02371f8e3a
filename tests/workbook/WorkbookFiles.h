#pragma once

// What the workbook tests share: a private folder, the text of a saved part.

#include "workbook/Workbook.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kestrune::workbook::testing {

// The bytes of one part of a saved workbook ("xl/worksheets/sheet1.xml").
QByteArray PartOf(const QString& path, const char* part);
// The <c> element of `address` as saved in the sheet part, e.g.
// <c r="B3" t="s"><v>0</v></c>; empty when the cell is not written.
QString SavedCell(const QString& path, const char* sheetPart, const QString& address);
// Copies a written workbook into $KESTRUNE_KEEP_WORKBOOKS when that is set, so
// that scripts/check-workbooks can hand it to a full spreadsheet program.
void KeepForOtherReaders(const QString& path, const QString& name);

} // namespace kestrune::workbook::testing
