#include "WorkbookData.h"
#include "XmlParts.h"

namespace kestrune::workbook::detail {

namespace {

bool SameSheet(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void ChangeReferencesToSheet(BookData& book, const QString& sheetName,
                             const ReferenceChange& change) {
    for (const auto& sheet : book.sheets) {
        const bool ownSheet = SameSheet(sheet->name, sheetName);
        auto changeHere = [&](const Reference& reference) -> std::optional<QString> {
            if (reference.external)
                return std::nullopt;
            const bool pointsHere =
                reference.prefix.isEmpty() ? ownSheet : SameSheet(reference.sheet, sheetName);
            return pointsHere ? change(reference) : std::nullopt;
        };
        for (auto& [rowNumber, row] : sheet->rows)
            for (auto& [columnNumber, cell] : row.cells)
                if (!cell.formula.isEmpty())
                    cell.formula = RewriteReferences(cell.formula, changeHere);
    }
    // A defined name's references always name their sheet.
    auto changeQualified = [&](const Reference& reference) -> std::optional<QString> {
        if (reference.external || reference.prefix.isEmpty() ||
            !SameSheet(reference.sheet, sheetName))
            return std::nullopt;
        return change(reference);
    };
    for (pugi::xml_node name :
         book.workbook.child("workbook").child("definedNames").children("definedName")) {
        const QString text = Text(name.text().get());
        const QString changed = RewriteReferences(text, changeQualified);
        if (changed != text)
            name.text().set(Utf8(changed).c_str());
    }
}

int SheetIndex(const BookData& book, const SheetData* sheet) {
    for (size_t index = 0; index < book.sheets.size(); ++index)
        if (book.sheets[index].get() == sheet)
            return static_cast<int>(index);
    return -1;
}

pugi::xml_node DefinedName(BookData& book, const char* name, int index) {
    pugi::xml_node names =
        ChildInOrder(book.workbook.child("workbook"), "definedNames", KESTRUNE_WORKBOOK_ORDER);
    for (pugi::xml_node existing : names.children("definedName")) {
        const pugi::xml_attribute local = existing.attribute("localSheetId");
        if (std::string(existing.attribute("name").value()) == name &&
            (local ? local.as_int() : -1) == index)
            return existing;
    }
    pugi::xml_node created = names.append_child("definedName");
    created.append_attribute("name").set_value(name);
    if (index >= 0)
        created.append_attribute("localSheetId").set_value(index);
    return created;
}

} // namespace kestrune::workbook::detail
