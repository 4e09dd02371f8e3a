#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::sum {

// The summary workbook's sheets: 1 is the cover, 2 to 25 each total a run of
// fields of one survey table.
constexpr int kCoverSheet = 1;
constexpr int kFirstSummarySheet = 2;
constexpr int kLastSummarySheet = 25;

// One item of a sheet's select list; the workbook writes item k (counted from
// 1) into column k + 1.
struct SummaryItem {
    enum class Kind {
        Count,        // count(*): the number of records
        Sum,          // sum(field)
        Yes,          // records answering 1 to the yes/no field
        NoOrZero,     // records answering 2 or holding 0
        WeightedMean, // mean of the positive values, weighted by `weight`
    };
    Kind kind;
    QString field;  // empty for Count
    QString weight; // only for WeightedMean
    // The item's name in the select list: "cnt", "sum_z001", "sum_z005_1", ...
    QString name() const;
    // The aggregate expression as the select list spells it.
    QString expression() const;
};

struct SummarySheet {
    int number;
    QString title;
    std::vector<SummaryItem> items;
    // The survey columns the items read, each once, in item order.
    QStringList columns() const;
};

// Sheets 2 to 25, built once and kept.
const SummarySheet& summarySheet(int number);
bool isSummarySheet(int number);

// The sheet's select list: its items joined by "," and then
// " from dt_data where c901>0" (three spaces after "from" on sheet 25).
QString SumSelectList(int sheet);

} // namespace kestrune::sum
