#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace kestrune::workbook {

// One end of a reference: a cell ("$B7"), a whole row ("7") or a whole
// column ("B"); 0 marks the missing half of a row or column reference.
struct ReferenceEnd {
    int row = 0;
    int column = 0;
    bool rowAbsolute = false;
    bool columnAbsolute = false;
};

// A cell or range reference as it appears in a formula or a defined name.
struct Reference {
    QString sheet;         // empty when the reference names no sheet
    QString prefix;        // the sheet part as written, "'年 报'!" or "Sheet1!", else empty
    bool external = false; // in another workbook ("[1]Sheet1!A1"): never changed
    ReferenceEnd first;
    std::optional<ReferenceEnd> last;
};

// Parses "A1", "$A$1:B7", "3:5" or "B:D" (no sheet part).
std::optional<Reference> ParseReference(const QString& text);
// The reference written back, with its prefix.
QString FormatReference(const Reference& reference);
// "Sheet1!" or "'年 报'!": the name quoted where a formula needs it.
QString SheetPrefix(const QString& sheetName);

// Calls `change` for every cell, row or column reference of `formula`
// (strings, function names and defined names are left alone); where it
// returns a text, that text replaces the reference with its sheet part.
using ReferenceChange = std::function<std::optional<QString>(const Reference&)>;
QString RewriteReferences(const QString& formula, const ReferenceChange& change);

// Moves the ends at or below `row` down by `count` rows, as inserting rows
// before `row` does; a range spanning `row` grows.
Reference ShiftedForInsertedRows(Reference reference, int row, int count);

} // namespace kestrune::workbook
