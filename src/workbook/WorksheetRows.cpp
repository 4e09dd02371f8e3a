// Row insertion and merged ranges.

#include "SheetAccess.h"
#include "Workbook.h"
#include "XmlParts.h"

namespace kestrune::workbook {

using namespace detail;

namespace {

constexpr int kMaxRow = 1048576;

// "A1:B2 D4" with every range moved as inserting rows moves it.
QString ShiftedRangeList(const QString& list, int row, int count) {
    QStringList ranges = list.split(u' ', Qt::SkipEmptyParts);
    for (QString& range : ranges)
        if (std::optional<Reference> reference = ParseReference(range))
            range = FormatReference(ShiftedForInsertedRows(*reference, row, count));
    return ranges.join(u' ');
}

void ShiftAttribute(pugi::xml_node node, const char* name, int row, int count) {
    if (pugi::xml_attribute attribute = node.attribute(name))
        attribute.set_value(Utf8(ShiftedRangeList(Text(attribute.value()), row, count)).c_str());
}

bool Overlap(const CellRange& a, const CellRange& b) {
    return a.top <= b.bottom && b.top <= a.bottom && a.left <= b.right && b.left <= a.right;
}

} // namespace

void Worksheet::insertRows(int row, int count) {
    CheckPosition(row, 1);
    if (count < 1)
        throw WorkbookError(QStringLiteral("插入的行数无效：%1").arg(count));

    std::map<int, Row> moved;
    for (auto& [number, data] : d_->rows) {
        const int target = number >= row ? number + count : number;
        if (target <= kMaxRow)
            moved.emplace(target, std::move(data));
    }
    d_->rows = std::move(moved);

    ChangeReferencesToSheet(*d_->book, d_->name, [&](const Reference& reference) {
        return std::optional(FormatReference(ShiftedForInsertedRows(reference, row, count)));
    });

    pugi::xml_node root = d_->document.child("worksheet");
    for (pugi::xml_node merge : root.child("mergeCells").children("mergeCell"))
        ShiftAttribute(merge, "ref", row, count);
    for (pugi::xml_node format : root.children("conditionalFormatting"))
        ShiftAttribute(format, "sqref", row, count);
    for (pugi::xml_node validation : root.child("dataValidations").children("dataValidation"))
        ShiftAttribute(validation, "sqref", row, count);
    for (pugi::xml_node link : root.child("hyperlinks").children("hyperlink"))
        ShiftAttribute(link, "ref", row, count);
    ShiftAttribute(root.child("autoFilter"), "ref", row, count);
    for (pugi::xml_node pageBreak : root.child("rowBreaks").children("brk"))
        if (pageBreak.attribute("id").as_int() >= row)
            pageBreak.attribute("id").set_value(pageBreak.attribute("id").as_int() + count);
    if (pugi::xml_node pane = root.child("sheetViews").child("sheetView").child("selection"))
        ShiftAttribute(pane, "sqref", row, count);
}

void Worksheet::mergeCells(const QString& range) {
    const CellRange wanted = RangeOf(range);
    if (wanted.top == 0)
        throw WorkbookError(QStringLiteral("单元格区域无效：“%1”").arg(range));
    pugi::xml_node root = d_->document.child("worksheet");
    pugi::xml_node merges = ChildInOrder(root, "mergeCells", KESTRUNE_WORKSHEET_ORDER);
    for (pugi::xml_node merge : merges.children("mergeCell"))
        if (Overlap(RangeOf(Text(merge.attribute("ref").value())), wanted))
            throw WorkbookError(QStringLiteral("合并区域“%1”与已合并的“%2”重叠")
                                    .arg(range, Text(merge.attribute("ref").value())));
    const QString text =
        CellAddressOf(wanted.top, wanted.left) + u':' + CellAddressOf(wanted.bottom, wanted.right);
    merges.append_child("mergeCell").append_attribute("ref").set_value(Utf8(text).c_str());
    SetAttribute(merges, "count",
                 std::to_string(std::distance(merges.children("mergeCell").begin(),
                                              merges.children("mergeCell").end())));
}

void Worksheet::setRowHeight(int row, double points) {
    CheckPosition(row, 1);
    Attributes& attributes = d_->rows[row].attributes;
    std::erase_if(attributes, [](const auto& attribute) {
        return attribute.first == "ht" || attribute.first == "customHeight";
    });
    attributes.emplace_back("ht", NumberText(points));
    attributes.emplace_back("customHeight", "1");
}

} // namespace kestrune::workbook
