// Builds the annual report's print template from the field catalogue, so that
// the template can never disagree with it:
//
//   kestrune-mkprint OUT --fieldlist dt_fieldlist.csv --sheets ct_sheetName.csv
//
// One worksheet per printPageID, in order (a page number the catalogue skips
// gets an empty sheet, so that sheet n is always page n). Every catalogue row
// of a printed page gets its caption two columns and its code one column left
// of its printplace cell; row 1 holds the page's title, the row above the
// first printed row the headings, and both repeat on every printed sheet of
// paper. OUT (OOXML content under the template's traditional name) is
// replaced only when everything succeeded.

#include "BuilderMain.h"
#include "CsvReader.h"
#include "schema/EngineError.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <climits>
#include <stdexcept>

using namespace kestrune;
using workbook::CellPosition;

namespace {

struct PrintedField {
    QString code;
    QString caption;
    QString type;
    CellPosition place;
};

struct PrintedPage {
    int entryPage = -1; // the entry dialog's page whose fields it prints
    QList<PrintedField> fields;
};

QString text(const data::CsvTable& table, const QVector<QVariant>& row, const QString& column) {
    const qsizetype i = table.columns.indexOf(column);
    if (i < 0)
        throw std::runtime_error(("no column " + column).toStdString());
    return row.value(i).toString().trimmed();
}

// printPageID -> its fields; only pages that a row with PageID>=0 names are
// printed, but every row of such a page is.
QMap<int, PrintedPage> readPages(const data::CsvTable& catalogue) {
    QMap<int, PrintedPage> pages;
    for (const auto& row : catalogue.rows) {
        const QString page = text(catalogue, row, QStringLiteral("printPageID"));
        if (!page.isEmpty() && text(catalogue, row, QStringLiteral("PageID")).toInt() >= 0)
            pages[page.toInt()].entryPage = text(catalogue, row, QStringLiteral("PageID")).toInt();
    }
    for (const auto& row : catalogue.rows) {
        const QString page = text(catalogue, row, QStringLiteral("printPageID"));
        if (page.isEmpty() || !pages.contains(page.toInt()))
            continue;
        const QString place = text(catalogue, row, QStringLiteral("printplace"));
        const auto cell = workbook::ParseCellAddress(place);
        if (!cell || cell->column < 3 || cell->row < 3)
            throw std::runtime_error(
                QStringLiteral("%1: printplace \"%2\" leaves no room for its "
                               "caption, code and headings")
                    .arg(text(catalogue, row, QStringLiteral("FieldName")), place)
                    .toStdString());
        pages[page.toInt()].fields.append({text(catalogue, row, QStringLiteral("FieldName")),
                                           text(catalogue, row, QStringLiteral("Hint")),
                                           text(catalogue, row, QStringLiteral("FieldType")),
                                           *cell});
    }
    return pages;
}

// "表8  工会宣传教育…、表9  工会社会联络工作" -> "表8、表9": the table numbers,
// since a sheet's name holds at most 31 characters.
QString sheetNameOf(const QString& title, int page) {
    QStringList parts;
    for (const QString& part : title.split(QStringLiteral("、")))
        parts << part.section(QStringLiteral("  "), 0, 0).trimmed();
    QString name = parts.join(QStringLiteral("、"));
    name.remove(QRegularExpression(QStringLiteral("[:\\\\/?*\\[\\]]")));
    if (name.isEmpty())
        name = QStringLiteral("第%1页").arg(page);
    return name.left(31);
}

void layOutPage(workbook::Worksheet sheet, const PrintedPage& page, const QString& title) {
    int firstRow = INT_MAX, firstColumn = INT_MAX, lastColumn = 0;
    for (const PrintedField& f : page.fields) {
        firstRow = std::min(firstRow, f.place.row);
        firstColumn = std::min(firstColumn, f.place.column - 2);
        lastColumn = std::max(lastColumn, f.place.column);
    }
    const int headingRow = firstRow - 1;
    QMap<int, bool> valueColumns;
    for (const PrintedField& f : page.fields) {
        sheet.setCell(f.place.row, f.place.column - 2, f.caption);
        sheet.setCell(f.place.row, f.place.column - 1, f.code);
        // Unit codes and counts are whole numbers; 12 digits would otherwise
        // turn into an exponent.
        if (f.type == QLatin1String("整数"))
            sheet.setNumberFormat(f.place.row, f.place.column, QStringLiteral("0"));
        valueColumns[f.place.column] = true;
    }
    for (int column : valueColumns.keys()) {
        sheet.setCell(headingRow, column - 2, QStringLiteral("指标名称"));
        sheet.setCell(headingRow, column - 1, QStringLiteral("代码"));
        sheet.setCell(headingRow, column, QStringLiteral("数值"));
        for (int c = column - 2; c <= column; ++c)
            sheet.setFont(headingRow, c, true, 11);
    }
    sheet.setAlignment(workbook::CellAddressOf(headingRow, firstColumn) + QLatin1Char(':') +
                           workbook::CellAddressOf(headingRow, lastColumn),
                       workbook::HorizontalAlignment::Center);
    // Fitted before the title goes in, which spans the columns instead.
    sheet.fitColumns(firstColumn, lastColumn);
    for (int column : valueColumns.keys())
        sheet.setColumnWidth(column, 16);
    sheet.setCell(1, firstColumn, title);
    sheet.setFont(1, firstColumn, true, 14);
    sheet.mergeCells(workbook::CellAddressOf(1, firstColumn) + QLatin1Char(':') +
                     workbook::CellAddressOf(1, lastColumn));
    sheet.setAlignment(workbook::CellAddressOf(1, firstColumn),
                       workbook::HorizontalAlignment::Center);
    sheet.setRowHeight(1, 24);
    sheet.setPageSetup(workbook::PageOrientation::Portrait, 1, headingRow);
}

void build(const QString& out, const QString& fieldlistPath, const QString& sheetsPath) {
    const QMap<int, PrintedPage> pages = readPages(data::readCsvFile(fieldlistPath));
    const data::CsvTable sheets = data::readCsvFile(sheetsPath);
    QMap<int, QString> titles;
    for (const auto& row : sheets.rows)
        titles[text(sheets, row, QStringLiteral("CodeID")).toInt()] =
            text(sheets, row, QStringLiteral("CodeName"));
    if (pages.isEmpty() || pages.firstKey() < 1)
        throw std::runtime_error("the catalogue names no printed page, or a page below 1");

    workbook::Workbook book = workbook::Workbook::create();
    for (int number = 1; number <= pages.lastKey(); ++number) {
        const PrintedPage page = pages.value(number);
        const QString title = titles.value(page.entryPage);
        QString name = sheetNameOf(title, number);
        for (int i = 1; i < number; ++i)
            if (book.sheet(i).name() == name)
                name = QStringLiteral("第%1页").arg(number);
        workbook::Worksheet sheet = number == 1 ? book.sheet(1) : book.addSheet(name);
        sheet.setName(name);
        if (!page.fields.isEmpty())
            layOutPage(sheet, page, title);
    }
    book.setActiveSheet(1);
    book.save(out);
}

} // namespace

int main(int argc, char* argv[]) {
    return builder::RunBuilder(
        argc, argv, QStringLiteral("kestrune-mkprint"), {"fieldlist", "sheets"},
        [](const QStringList& values) { build(values[0], values[1], values[2]); });
}
