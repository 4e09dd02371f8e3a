#include "CellAddress.h"
#include "FormulaReferences.h"
#include "WorkbookData.h"
#include "WorkbookError.h"
#include "XmlParts.h"

#include <charconv>
#include <cmath>

namespace kestrune::workbook::detail {

namespace {

constexpr int kMaxColumn = 16384;

Attributes AttributesExcept(pugi::xml_node node, std::initializer_list<const char*> skipped) {
    Attributes attributes;
    for (pugi::xml_attribute attribute : node.attributes()) {
        bool skip = false;
        for (const char* name : skipped)
            skip = skip || std::string(name) == attribute.name();
        if (!skip)
            attributes.emplace_back(attribute.name(), attribute.value());
    }
    return attributes;
}

void AppendAttributes(pugi::xml_node node, const Attributes& attributes) {
    for (const auto& [name, value] : attributes)
        node.append_attribute(name.c_str()).set_value(value.c_str());
}

// A shared formula as it reads in a cell `rows` and `columns` away from the
// cell that holds its text: its relative parts move along.
QString MovedFormula(const QString& formula, int rows, int columns) {
    return RewriteReferences(formula, [&](const Reference& reference) -> std::optional<QString> {
        if (reference.external)
            return std::nullopt;
        Reference moved = reference;
        auto move = [&](ReferenceEnd& end) {
            if (end.row > 0 && !end.rowAbsolute)
                end.row += rows;
            if (end.column > 0 && !end.columnAbsolute)
                end.column += columns;
        };
        move(moved.first);
        if (moved.last)
            move(*moved.last);
        return FormatReference(moved);
    });
}

struct SharedFormula {
    int row = 0;
    int column = 0;
    QString text;
};

void ReadCell(pugi::xml_node c, Cell& cell, const SharedStrings& strings) {
    cell.style = c.attribute("s").as_int();
    cell.otherAttributes = AttributesExcept(c, {"r", "s", "t"});
    const std::string type = c.attribute("t").value();
    const pugi::xml_node v = c.child("v");
    if (pugi::xml_node f = c.child("f")) {
        cell.formula = Text(f.text().get());
        cell.formulaAttributes = AttributesExcept(f, {});
    }
    if (type == "s") {
        if (v) {
            cell.kind = Cell::Kind::Text;
            cell.sharedString = v.text().as_int();
            cell.text = strings.text(cell.sharedString);
        }
    } else if (type == "inlineStr") {
        cell.kind = Cell::Kind::Text;
        cell.text = StringItemText(c.child("is"));
    } else if (type == "str") {
        if (v) {
            cell.kind = Cell::Kind::Text;
            cell.text = Text(v.text().get());
        }
    } else if (type == "b") {
        if (v) {
            cell.kind = Cell::Kind::Boolean;
            cell.number = v.text().as_int() != 0 ? 1 : 0;
        }
    } else if (type == "e") {
        if (v) {
            cell.kind = Cell::Kind::Error;
            cell.text = Text(v.text().get());
        }
    } else if (v && *v.text().get() != '\0') {
        cell.kind = Cell::Kind::Number;
        cell.number = v.text().as_double();
    }
}

} // namespace

std::string NumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void LoadSheetCells(SheetData& sheet) {
    pugi::xml_node root = sheet.document.child("worksheet");
    if (!root)
        throw WorkbookError(QStringLiteral("工作簿已损坏：%1 不是工作表")
                                .arg(QString::fromStdString(sheet.partName)));
    for (pugi::xml_node col : root.child("cols").children("col")) {
        const int first = std::max(1, col.attribute("min").as_int());
        const int last = std::min(kMaxColumn, col.attribute("max").as_int(first));
        const Attributes attributes = AttributesExcept(col, {"min", "max"});
        for (int column = first; column <= last; ++column)
            sheet.columns[column] = attributes;
    }

    std::map<int, SharedFormula> sharedFormulas;
    std::vector<std::tuple<int, int, int>> sharedUsers; // row, column, index
    int rowNumber = 0;
    for (pugi::xml_node r : root.child("sheetData").children("row")) {
        rowNumber = r.attribute("r").as_int(rowNumber + 1);
        Row& row = sheet.rows[rowNumber];
        row.attributes = AttributesExcept(r, {"r", "spans"});
        int columnNumber = 0;
        for (pugi::xml_node c : r.children("c")) {
            if (const char* address = c.attribute("r").value(); *address != '\0') {
                const auto position = ParseCellAddress(Text(address));
                if (!position)
                    throw WorkbookError(
                        QStringLiteral("工作簿已损坏：%1 中的单元格地址 %2 无效")
                            .arg(QString::fromStdString(sheet.partName), Text(address)));
                columnNumber = position->column;
            } else {
                ++columnNumber;
            }
            Cell& cell = row.cells[columnNumber];
            ReadCell(c, cell, sheet.book->strings);
            pugi::xml_node f = c.child("f");
            if (std::string(f.attribute("t").value()) == "shared") {
                const int index = f.attribute("si").as_int();
                if (f.attribute("ref") && !cell.formula.isEmpty())
                    sharedFormulas[index] = {rowNumber, columnNumber, cell.formula};
                else
                    sharedUsers.emplace_back(rowNumber, columnNumber, index);
                cell.formulaAttributes.clear();
            }
        }
    }
    // Every cell of a shared formula gets its own text, so that each can move alone.
    for (const auto& [rowNumber, columnNumber, index] : sharedUsers) {
        const auto master = sharedFormulas.find(index);
        if (master == sharedFormulas.end())
            continue;
        sheet.rows[rowNumber].cells[columnNumber].formula =
            MovedFormula(master->second.text, rowNumber - master->second.row,
                         columnNumber - master->second.column);
    }
    root.remove_child("cols");
    root.child("sheetData").remove_children();
}

void StoreSheetCells(SheetData& sheet, const std::map<std::pair<int, int>, double>& sums) {
    pugi::xml_node root = sheet.document.child("worksheet");
    pugi::xml_node data = ChildInOrder(root, "sheetData", KESTRUNE_WORKSHEET_ORDER);
    data.remove_children();
    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    for (auto& [rowNumber, row] : sheet.rows) {
        if (row.cells.empty() && row.attributes.empty())
            continue;
        pugi::xml_node r = data.append_child("row");
        r.append_attribute("r").set_value(rowNumber);
        AppendAttributes(r, row.attributes);
        for (auto& [columnNumber, cell] : row.cells) {
            const bool hasFormula = !cell.formula.isEmpty();
            if (cell.kind == Cell::Kind::Empty && !hasFormula && cell.style == 0 &&
                cell.otherAttributes.empty())
                continue;
            pugi::xml_node c = r.append_child("c");
            c.append_attribute("r").set_value(Utf8(CellAddressOf(rowNumber, columnNumber)).c_str());
            if (cell.style != 0)
                c.append_attribute("s").set_value(cell.style);
            AppendAttributes(c, cell.otherAttributes);
            if (hasFormula) {
                pugi::xml_node f = c.append_child("f");
                AppendAttributes(f, cell.formulaAttributes);
                f.text().set(Utf8(cell.formula).c_str());
                // Only a total known to be right is stored; any other result
                // would show stale until the reader calculates.
                if (auto sum = sums.find({rowNumber, columnNumber}); sum != sums.end())
                    c.append_child("v").text().set(NumberText(sum->second).c_str());
            } else {
                switch (cell.kind) {
                case Cell::Kind::Empty:
                    break;
                case Cell::Kind::Number:
                    c.append_child("v").text().set(NumberText(cell.number).c_str());
                    break;
                case Cell::Kind::Boolean:
                    c.append_attribute("t").set_value("b");
                    c.append_child("v").text().set(cell.number != 0 ? "1" : "0");
                    break;
                case Cell::Kind::Error:
                    c.append_attribute("t").set_value("e");
                    c.append_child("v").text().set(Utf8(cell.text).c_str());
                    break;
                case Cell::Kind::Text:
                    if (cell.sharedString < 0)
                        cell.sharedString = sheet.book->strings.add(cell.text);
                    c.append_attribute("t").set_value("s");
                    c.append_child("v").text().set(cell.sharedString);
                    break;
                }
            }
            firstRow = firstRow == 0 ? rowNumber : std::min(firstRow, rowNumber);
            lastRow = std::max(lastRow, rowNumber);
            firstColumn = firstColumn == 0 ? columnNumber : std::min(firstColumn, columnNumber);
            lastColumn = std::max(lastColumn, columnNumber);
        }
    }

    root.remove_child("cols");
    if (!sheet.columns.empty()) {
        pugi::xml_node cols = ChildInOrder(root, "cols", KESTRUNE_WORKSHEET_ORDER);
        for (auto it = sheet.columns.begin(); it != sheet.columns.end();) {
            auto last = it;
            for (auto next = std::next(it);
                 next != sheet.columns.end() && next->first == last->first + 1 &&
                 next->second == it->second;
                 ++next)
                last = next;
            pugi::xml_node col = cols.append_child("col");
            col.append_attribute("min").set_value(it->first);
            col.append_attribute("max").set_value(last->first);
            AppendAttributes(col, it->second);
            it = std::next(last);
        }
    }

    const QString extent =
        firstRow == 0 ? QStringLiteral("A1")
        : firstRow == lastRow && firstColumn == lastColumn
            ? CellAddressOf(firstRow, firstColumn)
            : CellAddressOf(firstRow, firstColumn) + u':' + CellAddressOf(lastRow, lastColumn);
    SetAttribute(ChildInOrder(root, "dimension", KESTRUNE_WORKSHEET_ORDER), "ref", Utf8(extent));
}

} // namespace kestrune::workbook::detail
