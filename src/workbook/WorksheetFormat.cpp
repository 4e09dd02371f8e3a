// Formats, widths and print setup of a worksheet.

#include "SheetAccess.h"
#include "Workbook.h"
#include "XmlParts.h"

#include <cmath>

namespace kestrune::workbook {

using namespace detail;

namespace {

constexpr double kDefaultColumnWidth = 9.140625; // what a spreadsheet writes for 8.43 characters
constexpr double kMaxColumnWidth = 255;

void SetAttributeOf(Attributes& attributes, const char* name, const std::string& value) {
    for (auto& [key, old] : attributes) {
        if (key == name) {
            old = value;
            return;
        }
    }
    attributes.emplace_back(name, value);
}

std::string AttributeOf(const Attributes& attributes, const char* name) {
    for (const auto& [key, value] : attributes)
        if (key == name)
            return value;
    return std::string();
}

// A column's look changes; its cells change the same way.
void RestyleColumn(SheetData& sheet, int column, const std::function<int(int)>& restyle) {
    Attributes& attributes = sheet.columns[column];
    if (AttributeOf(attributes, "width").empty())
        SetAttributeOf(attributes, "width", NumberText(kDefaultColumnWidth));
    SetAttributeOf(attributes, "style", std::to_string(restyle(ColumnStyle(sheet, column))));
    for (auto& [rowNumber, row] : sheet.rows)
        if (auto cell = row.cells.find(column); cell != row.cells.end())
            cell->second.style = restyle(cell->second.style);
}

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Width in character cells: a CJK character takes two.
int DisplayWidth(const QString& text) {
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += IsWide(c) ? 2 : 1;
    return width;
}

} // namespace

void Worksheet::setNumberFormat(int row, int column, const QString& format) {
    Cell& cell = CellAt(*d_, row, column);
    cell.style = d_->book->styles.withNumberFormat(cell.style, format);
}

void Worksheet::setColumnNumberFormat(int column, const QString& format) {
    CheckPosition(1, column);
    RestyleColumn(*d_, column,
                  [&](int style) { return d_->book->styles.withNumberFormat(style, format); });
}

void Worksheet::setFont(int row, int column, bool bold, double size) {
    Cell& cell = CellAt(*d_, row, column);
    cell.style = d_->book->styles.withFont(cell.style, bold, size);
}

void Worksheet::setAlignment(const QString& range, HorizontalAlignment alignment) {
    const CellRange cells = RangeOf(range);
    auto restyle = [&](int style) {
        return d_->book->styles.withAlignment(style, alignment);
    };
    if (cells.top == 0) { // whole columns
        for (int column = cells.left; column <= cells.right; ++column)
            RestyleColumn(*d_, column, restyle);
        return;
    }
    for (int row = cells.top; row <= cells.bottom; ++row)
        for (int column = cells.left; column <= cells.right; ++column) {
            Cell& cell = CellAt(*d_, row, column);
            cell.style = restyle(cell.style);
        }
}

void Worksheet::setColumnWidth(int column, double width) {
    CheckPosition(1, column);
    Attributes& attributes = d_->columns[column];
    SetAttributeOf(attributes, "width", NumberText(std::clamp(width, 0.0, kMaxColumnWidth)));
    SetAttributeOf(attributes, "customWidth", "1");
}

void Worksheet::fitColumns(int first, int last) {
    CheckPosition(1, first);
    CheckPosition(1, last);
    // A merged range spanning columns has its own width; it does not widen the first.
    std::vector<CellRange> wideMerges;
    for (pugi::xml_node merge :
         d_->document.child("worksheet").child("mergeCells").children("mergeCell")) {
        const CellRange range = RangeOf(Text(merge.attribute("ref").value()));
        if (range.left != range.right)
            wideMerges.push_back(range);
    }
    std::map<int, double> widths;
    for (const auto& [rowNumber, row] : d_->rows) {
        for (auto c = row.cells.lower_bound(first); c != row.cells.end() && c->first <= last; ++c) {
            const Cell& cell = c->second;
            QString shown;
            if (cell.kind == Cell::Kind::Text)
                shown = cell.text;
            else if (cell.kind == Cell::Kind::Number && cell.formula.isEmpty())
                shown = QString::fromStdString(NumberText(cell.number));
            if (shown.isEmpty())
                continue;
            const bool merged = std::any_of(
                wideMerges.begin(), wideMerges.end(), [&, rowNumber = rowNumber](const auto& m) {
                    return rowNumber >= m.top && rowNumber <= m.bottom && c->first >= m.left &&
                           c->first <= m.right;
                });
            if (merged)
                continue;
            int longest = 0;
            for (const QString& line : shown.split(u'\n'))
                longest = std::max(longest, DisplayWidth(line));
            const double scale = d_->book->styles.fontSize(cell.style) / 11.0;
            widths[c->first] = std::max(widths[c->first], longest * scale + 2);
        }
    }
    for (const auto& [column, width] : widths)
        setColumnWidth(column, std::ceil(std::max(width, 4.0) * 4) / 4);
}

void Worksheet::setPageSetup(PageOrientation orientation, int firstTitleRow, int lastTitleRow) {
    pugi::xml_node root = d_->document.child("worksheet");
    pugi::xml_node properties = ChildInOrder(root, "sheetPr", KESTRUNE_WORKSHEET_ORDER);
    SetAttribute(ChildInOrder(properties, "pageSetUpPr", {"tabColor", "outlinePr", "pageSetUpPr"}),
                 "fitToPage", "1");
    if (!root.child("pageMargins")) {
        pugi::xml_node margins = ChildInOrder(root, "pageMargins", KESTRUNE_WORKSHEET_ORDER);
        for (auto [name, value] : {std::pair{"left", "0.7"},
                                   {"right", "0.7"},
                                   {"top", "0.75"},
                                   {"bottom", "0.75"},
                                   {"header", "0.3"},
                                   {"footer", "0.3"}})
            margins.append_attribute(name).set_value(value);
    }
    pugi::xml_node setup = ChildInOrder(root, "pageSetup", KESTRUNE_WORKSHEET_ORDER);
    SetAttribute(setup, "paperSize", "9"); // A4
    SetAttribute(setup, "orientation",
                 orientation == PageOrientation::Landscape ? "landscape" : "portrait");
    SetAttribute(setup, "fitToWidth", "1");
    SetAttribute(setup, "fitToHeight", "0"); // as many pages down as the rows need

    const int index = SheetIndex(*d_->book, d_);
    if (firstTitleRow > 0) {
        CheckPosition(firstTitleRow, 1);
        CheckPosition(std::max(firstTitleRow, lastTitleRow), 1);
        const QString rows =
            SheetPrefix(d_->name) +
            QStringLiteral("$%1:$%2").arg(firstTitleRow).arg(std::max(firstTitleRow, lastTitleRow));
        DefinedName(*d_->book, "_xlnm.Print_Titles", index).text().set(Utf8(rows).c_str());
    } else if (pugi::xml_node names = d_->book->workbook.child("workbook").child("definedNames")) {
        names.remove_child(DefinedName(*d_->book, "_xlnm.Print_Titles", index));
        if (!names.first_child())
            names.parent().remove_child(names);
    }
}

} // namespace kestrune::workbook
