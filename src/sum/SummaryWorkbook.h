#pragma once

#include "Breakdown.h"
#include "workbook/Workbook.h"

#include <QString>
#include <functional>
#include <vector>

namespace kestrune::sum {

// The summary template in the program folder: the cover and sheets 2 to 25.
inline const QString kSummaryTemplateName = QStringLiteral("2020基层以上汇总表.xlt");
inline const QString kSummaryTemplateUnavailable =
    QStringLiteral("打开汇总模版文件时发生错误，可能是没有安装MS Office或者WPS Office中的Excel");
// The start of a handed-over summary's file name.
inline const QString kSummaryPrefix = QStringLiteral("汇总表");

// What the summary relies on in the template (an edited one included).
constexpr int kTotalRow = 8;
constexpr int kFirstDataRow = 10;

QString SummaryTemplatePath();

// The row of column A that takes the breakdown's label: 4 when A3 holds a
// text, else 3 when A2 does, else 2.
int BreakdownLabelRow(workbook::Worksheet sheet);

// Fills summary sheet `number` of the template with the breakdown's rows:
// the label, one row per breakdown row from row 10 down (rows inserted at
// row 10, so that the total row's formulas take them in), the row name in
// column A and item k in column k + 1, empty aggregates left empty; for the
// level and state breakdowns the overall weighted mean in the total row of
// sheets 22 (E8) and 23 (J8). `cellWritten` is told after each value cell.
void FillSummarySheet(workbook::Worksheet sheet, int number, Breakdown breakdown,
                      const BreakdownResult& result, const std::function<void()>& cellWritten = {});

// Deletes every sheet of 1..25 not in `keep` (ascending sheet numbers),
// from the last to the first, and activates the first sheet left.
void KeepOnlySheets(workbook::Workbook& book, const std::vector<int>& keep);

} // namespace kestrune::sum
