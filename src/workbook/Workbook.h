#pragma once

#include "CellAddress.h"
#include "CellValue.h"
#include "WorkbookError.h"

#include <QString>
#include <memory>

namespace kestrune::workbook {

enum class HorizontalAlignment { General, Left, Center, Right };
enum class PageOrientation { Portrait, Landscape };

class Workbook;
namespace detail {
struct SheetData;
struct BookData;
} // namespace detail

// One worksheet of an open workbook, a handle valid while the workbook lives
// and the sheet is not deleted. Rows and columns count from 1.
class Worksheet {
public:
    QString name() const;
    // Sheet names are unique in a workbook, at most 31 characters, without : \ / ? * [ ].
    void setName(const QString& name);

    CellValue cell(int row, int column) const;
    CellValue cell(const QString& address) const; // "B7", "AA10"; WorkbookError when invalid
    void setCell(int row, int column, const CellValue& value);
    void setCell(const QString& address, const CellValue& value);
    // A value typed as text: one that reads as a number ("123", "1.5", "-2",
    // "110101000001") lands as that number, as a spreadsheet takes a typed
    // value; any other text (an empty one clears the cell) lands as text, and
    // so does a number of more than 15 digits (an identity number), which a
    // number cell would round.
    void setTyped(int row, int column, const QString& text);
    void setTyped(const QString& address, const QString& text);
    // A formula without the leading "=".
    QString formula(int row, int column) const;
    void setFormula(int row, int column, const QString& formula);

    // Inserts `count` empty rows before `row`, as a spreadsheet does: cells,
    // merged ranges, row heights and formulas below move down; a range that
    // spans the insertion point grows (SUM(B9:B10) with two rows inserted at
    // row 10 becomes SUM(B9:B12)).
    void insertRows(int row, int count = 1);
    void mergeCells(const QString& range); // "A1:D1"
    int lastRow() const;                   // 0 when empty
    int lastColumn() const;

    // Formats ("@", "#,##0_ ", "yyyy-mm", ...), font and alignment of one
    // cell, a range ("A1:C3") or a whole column.
    void setNumberFormat(int row, int column, const QString& format);
    void setColumnNumberFormat(int column, const QString& format);
    void setFont(int row, int column, bool bold, double size);
    void setAlignment(const QString& range, HorizontalAlignment alignment);
    void setColumnWidth(int column, double width); // in characters
    void setRowHeight(int row, double points);
    // Widths fitted to the contents of columns first..last; a CJK character
    // counts twice.
    void fitColumns(int first, int last);

    // Print setup: A4 in the given orientation, rows first..last repeated on
    // every printed page (0: none), fitted to the page's width.
    void setPageSetup(PageOrientation orientation, int firstTitleRow = 0, int lastTitleRow = 0);

private:
    friend class Workbook;
    explicit Worksheet(detail::SheetData* data) : d_(data) {}
    detail::SheetData* d_;
};

// A workbook in memory, read from an .xlsx file (or a template of the same
// content under any name) or made new, changed through its worksheets and
// saved as .xlsx. Errors (unreadable file, missing sheet, invalid address)
// throw WorkbookError.
class Workbook {
public:
    // One empty sheet named "Sheet1".
    static Workbook create();
    static Workbook open(const QString& path);
    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    int sheetCount() const;
    Worksheet sheet(int number); // 1 is the first
    Worksheet sheet(const QString& name);
    Worksheet addSheet(const QString& name);
    void deleteSheet(int number);
    int activeSheet() const;
    void setActiveSheet(int number);

    // Writes an .xlsx through a temporary file beside `path`, renamed over
    // it at the end; a failure leaves no file behind (and any old file as it
    // was). Formulas are recalculated when a spreadsheet opens the file, and
    // a cell whose formula is a plain SUM over a range carries its total.
    void save(const QString& path) const;

private:
    explicit Workbook(std::unique_ptr<detail::BookData> data);
    std::unique_ptr<detail::BookData> d_;
};

} // namespace kestrune::workbook
