#pragma once

#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace kestrune::sum {

// How the records are broken down into the rows of a summary sheet.
enum class Breakdown { Level = 0, State = 1, Group = 2 };

// The label the sheet carries for its breakdown: "工会层次", "填报状态", "分    组".
QString BreakdownLabel(Breakdown breakdown);

// One aggregate as the query gives it: empty where the query gives NULL.
using Aggregate = std::optional<double>;

// One row of the summary: its name (column A) and, per chosen sheet, the
// sheet's items in select-list order (columns B, C, ...).
struct SummaryRow {
    QString name;
    std::map<int, std::vector<Aggregate>> sheets;
};

// A breakdown computed for the chosen sheets: the rows top to bottom as the
// sheet shows them, and for the level and state breakdowns the whole
// database's weighted means of the total rows of sheets 22 and 23.
struct BreakdownResult {
    std::vector<SummaryRow> rows;
    std::map<int, double> overallMeans;
};

} // namespace kestrune::sum
