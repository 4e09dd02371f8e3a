#include "FormulaReferences.h"
#include "WorkbookData.h"

#include <QRegularExpression>
#include <set>

namespace kestrune::workbook::detail {

namespace {

// A formula "SUM(B9:B12)" (or over one cell) on the sheet's own cells.
std::optional<Reference> PlainSumRange(const QString& formula) {
    static const QRegularExpression sum(
        QStringLiteral("^\\s*SUM\\(\\s*([$A-Za-z0-9]+(?::[$A-Za-z0-9]+)?)\\s*\\)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = sum.match(formula);
    if (!match.hasMatch())
        return std::nullopt;
    std::optional<Reference> range = ParseReference(match.captured(1));
    if (range && (range->first.row == 0 || range->first.column == 0))
        return std::nullopt; // whole rows or columns: left to the reader
    return range;
}

class SumEvaluator {
public:
    explicit SumEvaluator(const SheetData& sheet) : sheet_(sheet) {}

    // The cell's value as a SUM counts it: numbers count, texts and blanks
    // are 0; a formula other than a computable SUM makes the total unknown.
    std::optional<double> valueOf(int row, int column) {
        const auto r = sheet_.rows.find(row);
        if (r == sheet_.rows.end())
            return 0.0;
        const auto c = r->second.cells.find(column);
        if (c == r->second.cells.end())
            return 0.0;
        const Cell& cell = c->second;
        if (!cell.formula.isEmpty())
            return sumOf(row, column, cell.formula);
        if (cell.kind == Cell::Kind::Error)
            return std::nullopt; // the total is that error
        return cell.kind == Cell::Kind::Number ? cell.number : 0.0;
    }

    std::optional<double> sumOf(int row, int column, const QString& formula) {
        const auto key = std::pair{row, column};
        if (auto known = done_.find(key); known != done_.end())
            return known->second;
        const std::optional<Reference> range = PlainSumRange(formula);
        if (!range || visiting_.count(key) != 0)
            return std::nullopt;
        visiting_.insert(key);
        const ReferenceEnd last = range->last.value_or(range->first);
        const int top = std::min(range->first.row, last.row);
        const int bottom = std::max(range->first.row, last.row);
        const int left = std::min(range->first.column, last.column);
        const int right = std::max(range->first.column, last.column);
        std::optional<double> total = 0.0;
        // Only stored rows and cells are visited: a wide range costs what it holds.
        for (auto r = sheet_.rows.lower_bound(top);
             total && r != sheet_.rows.end() && r->first <= bottom; ++r) {
            for (auto c = r->second.cells.lower_bound(left);
                 total && c != r->second.cells.end() && c->first <= right; ++c) {
                const std::optional<double> value = valueOf(r->first, c->first);
                total = value ? std::optional<double>(*total + *value) : std::nullopt;
            }
        }
        visiting_.erase(key);
        done_[key] = total;
        return total;
    }

private:
    const SheetData& sheet_;
    std::map<std::pair<int, int>, std::optional<double>> done_;
    std::set<std::pair<int, int>> visiting_;
};

} // namespace

std::map<std::pair<int, int>, double> CachedSums(const SheetData& sheet) {
    std::map<std::pair<int, int>, double> sums;
    SumEvaluator evaluator(sheet);
    for (const auto& [rowNumber, row] : sheet.rows)
        for (const auto& [columnNumber, cell] : row.cells)
            if (!cell.formula.isEmpty() && cell.formulaAttributes.empty())
                if (auto total = evaluator.sumOf(rowNumber, columnNumber, cell.formula))
                    sums[{rowNumber, columnNumber}] = *total;
    return sums;
}

} // namespace kestrune::workbook::detail
