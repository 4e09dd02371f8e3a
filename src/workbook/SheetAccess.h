#pragma once

#include "CellAddress.h"
#include "WorkbookData.h"

namespace kestrune::workbook::detail {

// WorkbookError unless (row, column) lies on a sheet.
void CheckPosition(int row, int column);
CellPosition PositionOf(const QString& address);
// A rectangle of cells: "A1:C3", "B7", or whole columns "B:D" (rows 0).
struct CellRange {
    int top = 0, left = 0, bottom = 0, right = 0;
};
CellRange RangeOf(const QString& text);

const Cell* FindCell(const SheetData& sheet, int row, int column);
// The cell, made when missing with the look its column (or row) gives new cells.
Cell& CellAt(SheetData& sheet, int row, int column);
int ColumnStyle(const SheetData& sheet, int column);

} // namespace kestrune::workbook::detail
