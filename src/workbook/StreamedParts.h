#pragma once

#include "StreamedPackage.h"
#include "StreamedWorkbook.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kestrune::workbook {

// A column of the sheet's <cols>: its fitted width (0: the default) and
// the style of its cells.
struct SheetColumn {
    int column = 0;
    double width = 0;
    bool fitted = false;
    int style = 0;
};

// The sheet's start, up to its <sheetData>: the range used (rows 1..lastRow,
// columns 1..lastColumn) and the columns.
QByteArray SheetHead(int lastRow, int lastColumn, const std::vector<SheetColumn>& columns);

// The parts of a streamed single-sheet workbook: content types, relations,
// the workbook naming its one sheet, the styles (index 0 the default, then
// each style as cells refer to it), and the sheet: `sheetHead`, the rows
// deflated in `rowsFile`, then the sheet's end.
std::vector<SpooledPart> StreamedWorkbookParts(const QString& sheetName,
                                               const std::vector<CellStyle>& styles,
                                               const QByteArray& sheetHead,
                                               const DeflatedSpool* rows, const QString& rowsFile);

} // namespace kestrune::workbook
