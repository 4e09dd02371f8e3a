#pragma once

#include <QString>
#include <string>

namespace kestrune::workbook {

// The pieces of SpreadsheetML a streamed sheet is made of, appended to a
// byte buffer as UTF-8.

// A cell reference such as "AB12".
void AppendCellReference(std::string& out, int row, int column);
// A number as the shortest text that reads back as the same double; a value
// a cell cannot hold (infinite, not a number) as the error #NUM!, which
// `out` gets as a whole cell's contents and type.
void AppendNumberCell(std::string& out, int row, int column, double value, int style);
// An inline text cell; characters XML cannot carry are written as the
// spreadsheet's own _xHHHH_ escapes, leading and trailing blanks kept.
void AppendTextCell(std::string& out, int row, int column, const QString& text, int style);
// Text escaped for an XML attribute or element.
std::string XmlEscaped(const QString& text);

} // namespace kestrune::workbook
