#include "SummaryWorkbook.h"

#include "SummarySheets.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <algorithm>

namespace kestrune::sum {

namespace {

bool holdsText(workbook::Worksheet sheet, int row, int column) {
    const workbook::CellValue value = sheet.cell(row, column);
    const QString* text = std::get_if<QString>(&value);
    return text && !text->isEmpty();
}

} // namespace

QString SummaryTemplatePath() {
    return QDir(shell::programFolder()).filePath(kSummaryTemplateName);
}

int BreakdownLabelRow(workbook::Worksheet sheet) {
    if (holdsText(sheet, 3, 1))
        return 4;
    if (holdsText(sheet, 2, 1))
        return 3;
    return 2;
}

void FillSummarySheet(workbook::Worksheet sheet, int number, Breakdown breakdown,
                      const BreakdownResult& result, const std::function<void()>& cellWritten) {
    if (!isSummarySheet(number))
        return;
    sheet.setCell(BreakdownLabelRow(sheet), 1, BreakdownLabel(breakdown));
    const int rows = int(result.rows.size());
    if (rows > 1)
        sheet.insertRows(kFirstDataRow, rows - 1);
    for (int r = 0; r < rows; ++r) {
        const SummaryRow& row = result.rows[size_t(r)];
        const int at = kFirstDataRow + r;
        sheet.setCell(at, 1, row.name);
        const auto values = row.sheets.find(number);
        if (values == row.sheets.end())
            continue;
        for (size_t k = 0; k < values->second.size(); ++k) {
            const Aggregate& value = values->second[k];
            sheet.setCell(at, int(k) + 2,
                          value ? workbook::CellValue(*value) : workbook::CellValue());
            if (cellWritten)
                cellWritten();
        }
    }
    if (rows > 0) {
        sheet.fitColumns(1, 1);
        sheet.setAlignment(QStringLiteral("A9:A%1").arg(rows + 9),
                           workbook::HorizontalAlignment::Left);
    }
    if (breakdown != Breakdown::Group) {
        const auto mean = result.overallMeans.find(number);
        if (mean != result.overallMeans.end()) {
            if (number == 22)
                sheet.setCell(kTotalRow, 5, mean->second);
            if (number == 23)
                sheet.setCell(kTotalRow, 10, mean->second);
        }
    }
}

void KeepOnlySheets(workbook::Workbook& book, const std::vector<int>& keep) {
    for (int number = std::min(kLastSummarySheet, book.sheetCount()); number >= 1; --number)
        if (std::find(keep.begin(), keep.end(), number) == keep.end())
            book.deleteSheet(number);
    if (book.sheetCount() > 0)
        book.setActiveSheet(1);
}

} // namespace kestrune::sum
