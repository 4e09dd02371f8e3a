#include "SheetAccess.h"

#include "WorkbookError.h"

namespace kestrune::workbook::detail {

namespace {
constexpr int kMaxColumn = 16384;
constexpr int kMaxRow = 1048576;

std::string AttributeOf(const Attributes& attributes, const char* name) {
    for (const auto& [key, value] : attributes)
        if (key == name)
            return value;
    return std::string();
}
} // namespace

void CheckPosition(int row, int column) {
    if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
        throw WorkbookError(
            QStringLiteral("单元格位置无效：第 %1 行第 %2 列").arg(row).arg(column));
}

CellPosition PositionOf(const QString& address) {
    const std::optional<CellPosition> position = ParseCellAddress(address);
    if (!position)
        throw WorkbookError(QStringLiteral("单元格地址无效：“%1”").arg(address));
    return *position;
}

CellRange RangeOf(const QString& text) {
    const std::optional<Reference> reference = ParseReference(text);
    if (!reference || reference->first.column == 0)
        throw WorkbookError(QStringLiteral("单元格区域无效：“%1”").arg(text));
    const ReferenceEnd last = reference->last.value_or(reference->first);
    return CellRange{
        std::min(reference->first.row, last.row), std::min(reference->first.column, last.column),
        std::max(reference->first.row, last.row), std::max(reference->first.column, last.column)};
}

const Cell* FindCell(const SheetData& sheet, int row, int column) {
    CheckPosition(row, column);
    const auto r = sheet.rows.find(row);
    if (r == sheet.rows.end())
        return nullptr;
    const auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

int ColumnStyle(const SheetData& sheet, int column) {
    const auto found = sheet.columns.find(column);
    return found == sheet.columns.end() ? 0
                                        : std::atoi(AttributeOf(found->second, "style").c_str());
}

Cell& CellAt(SheetData& sheet, int row, int column) {
    CheckPosition(row, column);
    Row& r = sheet.rows[row];
    auto found = r.cells.find(column);
    if (found != r.cells.end())
        return found->second;
    Cell& cell = r.cells[column];
    if (AttributeOf(r.attributes, "customFormat") == "1")
        cell.style = std::atoi(AttributeOf(r.attributes, "s").c_str());
    else
        cell.style = ColumnStyle(sheet, column);
    return cell;
}

} // namespace kestrune::workbook::detail
