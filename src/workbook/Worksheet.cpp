#include "PackageIndex.h"
#include "SheetAccess.h"
#include "Workbook.h"
#include "XmlParts.h"

#include <QRegularExpression>

namespace kestrune::workbook {

using namespace detail;

namespace {

// A typed text that a spreadsheet takes as a number; digits beyond what a
// number holds exactly (an 18-digit identity number) keep it a text.
std::optional<double> TypedNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    qsizetype digits = 0;
    bool leading = true;
    for (QChar c : trimmed.section(QRegularExpression(QStringLiteral("[eE]")), 0, 0)) {
        if (!c.isDigit())
            continue;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++digits;
    }
    if (digits > 15)
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

void detail::CheckSheetName(const BookData& book, const QString& name, const SheetData* renamed) {
    static const QRegularExpression forbidden(QStringLiteral("[:\\\\/?*\\[\\]]"));
    if (name.isEmpty() || name.size() > 31 || name.contains(forbidden) || name.startsWith(u'\'') ||
        name.endsWith(u'\''))
        throw WorkbookError(QStringLiteral("工作表名称无效：“%1”").arg(name));
    for (const auto& sheet : book.sheets)
        if (sheet.get() != renamed && sheet->name.compare(name, Qt::CaseInsensitive) == 0)
            throw WorkbookError(QStringLiteral("工作表名称重复：“%1”").arg(name));
}

QString Worksheet::name() const {
    return d_->name;
}

void Worksheet::setName(const QString& name) {
    CheckSheetName(*d_->book, name, d_);
    const QString oldName = d_->name;
    const QString prefix = SheetPrefix(name);
    ChangeReferencesToSheet(*d_->book, oldName,
                            [&](const Reference& reference) -> std::optional<QString> {
                                if (reference.prefix.isEmpty())
                                    return std::nullopt;
                                Reference renamed = reference;
                                renamed.prefix = prefix;
                                return FormatReference(renamed);
                            });
    const int index = SheetIndex(*d_->book, d_);
    int position = 0;
    for (pugi::xml_node entry :
         d_->book->workbook.child("workbook").child("sheets").children("sheet"))
        if (position++ == index)
            SetAttribute(entry, "name", Utf8(name));
    d_->name = name;
}

CellValue Worksheet::cell(int row, int column) const {
    const Cell* cell = FindCell(*d_, row, column);
    if (cell == nullptr)
        return std::monostate{};
    switch (cell->kind) {
    case Cell::Kind::Empty:
        return std::monostate{};
    case Cell::Kind::Number:
    case Cell::Kind::Boolean:
        return cell->number;
    case Cell::Kind::Text:
    case Cell::Kind::Error:
        return cell->text;
    }
    return std::monostate{};
}

CellValue Worksheet::cell(const QString& address) const {
    const CellPosition position = PositionOf(address);
    return cell(position.row, position.column);
}

void Worksheet::setCell(int row, int column, const CellValue& value) {
    Cell& cell = CellAt(*d_, row, column);
    cell.formula.clear();
    cell.formulaAttributes.clear();
    cell.sharedString = -1;
    cell.text.clear();
    if (const double* number = std::get_if<double>(&value)) {
        cell.kind = Cell::Kind::Number;
        cell.number = *number;
    } else if (const QString* text = std::get_if<QString>(&value)) {
        cell.kind = text->isEmpty() ? Cell::Kind::Empty : Cell::Kind::Text;
        cell.text = *text;
    } else {
        cell.kind = Cell::Kind::Empty;
    }
}

void Worksheet::setCell(const QString& address, const CellValue& value) {
    const CellPosition position = PositionOf(address);
    setCell(position.row, position.column, value);
}

void Worksheet::setTyped(int row, int column, const QString& text) {
    if (const std::optional<double> number = TypedNumber(text))
        setCell(row, column, *number);
    else
        setCell(row, column, text);
}

void Worksheet::setTyped(const QString& address, const QString& text) {
    const CellPosition position = PositionOf(address);
    setTyped(position.row, position.column, text);
}

QString Worksheet::formula(int row, int column) const {
    const Cell* cell = FindCell(*d_, row, column);
    return cell == nullptr ? QString() : cell->formula;
}

void Worksheet::setFormula(int row, int column, const QString& formula) {
    Cell& cell = CellAt(*d_, row, column);
    cell.formula = formula.startsWith(u'=') ? formula.mid(1) : formula;
    cell.formulaAttributes.clear();
    cell.kind = Cell::Kind::Empty; // the result is the reader's to calculate
    cell.sharedString = -1;
    cell.text.clear();
}

int Worksheet::lastRow() const {
    for (auto r = d_->rows.rbegin(); r != d_->rows.rend(); ++r)
        for (const auto& [column, cell] : r->second.cells)
            if (cell.kind != Cell::Kind::Empty || !cell.formula.isEmpty())
                return r->first;
    return 0;
}

int Worksheet::lastColumn() const {
    int last = 0;
    for (const auto& [rowNumber, row] : d_->rows)
        for (auto c = row.cells.rbegin(); c != row.cells.rend(); ++c)
            if (c->second.kind != Cell::Kind::Empty || !c->second.formula.isEmpty()) {
                last = std::max(last, c->first);
                break;
            }
    return last;
}

} // namespace kestrune::workbook
