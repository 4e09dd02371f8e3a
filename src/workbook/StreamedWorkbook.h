#pragma once

#include "WorkbookError.h"

#include <QString>
#include <memory>

namespace kestrune::workbook {

// How one cell looks: its number format ("@", "#,##0_ ", "yyyy-mm", ...;
// empty: the default), bold type and font size in points (0: the default).
struct CellStyle {
    QString numberFormat;
    bool bold = false;
    double fontSize = 0;
};

// A new single-sheet .xlsx written row by row without holding the sheet in
// memory: only the row being written is kept, so 100,000 rows of 200 columns
// take no more memory than ten. Rows must come in ascending order (cells of
// one row in any order). Rows and columns count from 1.
//
// The workbook is written to a temporary file beside `path` and renamed over
// it by finish(); a failure, or destruction before finish(), leaves no file
// behind (and any old file at `path` as it was). Errors throw WorkbookError.
class StreamedWorkbook {
public:
    StreamedWorkbook(const QString& path, const QString& sheetName);
    ~StreamedWorkbook();
    StreamedWorkbook(const StreamedWorkbook&) = delete;
    StreamedWorkbook& operator=(const StreamedWorkbook&) = delete;

    // The format of every cell later written into `column` without a style of
    // its own (the column's empty cells take it too).
    void setColumnFormat(int column, const QString& numberFormat);
    void writeNumber(int row, int column, double value);
    void writeText(int row, int column, const QString& text);
    void writeText(int row, int column, const QString& text, const CellStyle& style);

    // Fits the widths of columns first..last to what they hold once the
    // workbook is finished; a wide (CJK) character counts twice.
    void fitColumns(int first, int last);
    void finish();

    qint64 cellsWritten() const;
    QString path() const;

    // A sheet name a spreadsheet accepts: at most 31 characters, without
    // : \ / ? * [ ] (each replaced by "_"), never empty.
    static QString SheetName(const QString& wanted);

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

} // namespace kestrune::workbook
