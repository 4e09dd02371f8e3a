#pragma once

#include <QString>
#include <optional>

namespace kestrune::workbook {

// Rows and columns count from 1; columns run from A to XFD (16384).
struct CellPosition {
    int row = 0;
    int column = 0;
    bool operator==(const CellPosition&) const = default;
};

// "B7" -> {7, 2}, "AA10" -> {10, 27}; nothing for an address that names no
// cell (no letters, more than three, no row, row 0, "$" marks are allowed).
std::optional<CellPosition> ParseCellAddress(const QString& address);
QString ColumnLetters(int column);          // 1 -> "A", 27 -> "AA"
QString CellAddressOf(int row, int column); // (7, 2) -> "B7"

} // namespace kestrune::workbook
