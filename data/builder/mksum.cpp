// Builds the summary template from the summary's sheet table and the field
// catalogue's captions, so that its columns can never disagree with what the
// summation writes:
//
//   kestrune-mksum OUT --fieldlist dt_fieldlist.csv
//
// Sheet 1 is the cover; sheets 2 to 25 each have the sheet's title in row 1,
// a text in A2 (so that the breakdown's label goes into A3), headings in
// rows 4 to 7 (caption; "是"/"否" under a yes/no field, "加权平均" under a
// weighted mean; the item's code), the total row 8 with a SUM over each
// column's data block (rows 9 to 10, growing as rows are inserted at row 10;
// a weighted mean's total is the overall mean the summation writes), and
// the data from row 10. OUT (OOXML content under the template's traditional
// name) is replaced only when everything succeeded.

#include "BuilderMain.h"
#include "CsvReader.h"
#include "sum/SummarySheets.h"
#include "sum/SummaryWorkbook.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>
#include <stdexcept>

using namespace kestrune;
using sum::SummaryItem;
using workbook::CellAddressOf;

namespace {

constexpr int kHeadingRow = 4;
constexpr int kSubHeadingRow = 6;
constexpr int kCodeRow = 7;
constexpr int kSpacerRow = 9;

// Field name -> caption without the answer key of a yes/no field.
QMap<QString, QString> readCaptions(const QString& path) {
    const data::CsvTable table = data::readCsvFile(path);
    const qsizetype name = table.columns.indexOf(QStringLiteral("FieldName"));
    const qsizetype hint = table.columns.indexOf(QStringLiteral("Hint"));
    if (name < 0 || hint < 0)
        throw std::runtime_error("the catalogue lacks FieldName or Hint");
    static const QRegularExpression answerKey(QStringLiteral("\\(1=是；2=否\\)\\s*$"));
    QMap<QString, QString> captions;
    for (const auto& row : table.rows)
        captions[row.value(name).toString().trimmed().toLower()] =
            row.value(hint).toString().trimmed().remove(answerKey);
    return captions;
}

QString captionOf(const QMap<QString, QString>& captions, const SummaryItem& item) {
    if (item.kind == SummaryItem::Kind::Count)
        return QStringLiteral("工会数（个）");
    const QString caption = captions.value(item.field);
    if (caption.isEmpty())
        throw std::runtime_error(("no caption for " + item.field).toStdString());
    return caption;
}

void layOutCover(workbook::Worksheet sheet) {
    sheet.setName(QStringLiteral("封面"));
    sheet.setCell(1, 1, QStringLiteral("2020年工会基层以上组织统计调查汇总表"));
    sheet.setFont(1, 1, true, 18);
    sheet.setRowHeight(1, 32);
    sheet.setCell(3, 1, QStringLiteral("汇总单位："));
    sheet.setCell(4, 1, QStringLiteral("汇总日期："));
    sheet.setCell(6, 1, QStringLiteral("目  录"));
    sheet.setFont(6, 1, true, 12);
    for (int n = sum::kFirstSummarySheet; n <= sum::kLastSummarySheet; ++n)
        sheet.setCell(5 + n, 1, sum::summarySheet(n).title);
    sheet.setColumnWidth(1, 60);
    sheet.setPageSetup(workbook::PageOrientation::Portrait);
}

void layOutSheet(workbook::Worksheet sheet, const sum::SummarySheet& source,
                 const QMap<QString, QString>& captions) {
    sheet.setName(source.title);
    const int lastColumn = int(source.items.size()) + 1;
    sheet.setCell(1, 1, source.title);
    sheet.setFont(1, 1, true, 14);
    sheet.mergeCells(QStringLiteral("A1:") + CellAddressOf(1, lastColumn));
    sheet.setAlignment(QStringLiteral("A1"), workbook::HorizontalAlignment::Center);
    sheet.setRowHeight(1, 26);
    sheet.setCell(2, 1, QStringLiteral("汇总方式："));

    sheet.setCell(kHeadingRow, 1, QStringLiteral("名    称"));
    sheet.mergeCells(QStringLiteral("A4:A7"));
    for (size_t i = 0; i < source.items.size(); ++i) {
        const SummaryItem& item = source.items[i];
        const int column = int(i) + 2;
        const QString code = item.name().mid(item.kind == SummaryItem::Kind::Count ? 0 : 4);
        sheet.setCell(kCodeRow, column, code);
        switch (item.kind) {
        case SummaryItem::Kind::Yes:
            sheet.setCell(kHeadingRow, column, captionOf(captions, item));
            sheet.mergeCells(CellAddressOf(kHeadingRow, column) + QLatin1Char(':') +
                             CellAddressOf(kSubHeadingRow - 1, column + 1));
            sheet.setCell(kSubHeadingRow, column, QStringLiteral("是"));
            break;
        case SummaryItem::Kind::NoOrZero:
            sheet.setCell(kSubHeadingRow, column, QStringLiteral("否"));
            break;
        case SummaryItem::Kind::WeightedMean:
            sheet.setCell(kHeadingRow, column, captionOf(captions, item));
            sheet.mergeCells(CellAddressOf(kHeadingRow, column) + QLatin1Char(':') +
                             CellAddressOf(kSubHeadingRow - 1, column));
            sheet.setCell(kSubHeadingRow, column, QStringLiteral("加权平均"));
            break;
        case SummaryItem::Kind::Count:
        case SummaryItem::Kind::Sum:
            sheet.setCell(kHeadingRow, column, captionOf(captions, item));
            sheet.mergeCells(CellAddressOf(kHeadingRow, column) + QLatin1Char(':') +
                             CellAddressOf(kSubHeadingRow, column));
            break;
        }
        // The total of a weighted mean is the overall mean, written by the
        // summation; every other column adds up its data block.
        if (item.kind != SummaryItem::Kind::WeightedMean)
            sheet.setFormula(sum::kTotalRow, column,
                             QStringLiteral("SUM(%1:%2)")
                                 .arg(CellAddressOf(kSpacerRow, column),
                                      CellAddressOf(sum::kFirstDataRow, column)));
        sheet.setColumnWidth(column, 14);
    }
    sheet.setAlignment(QStringLiteral("A4:") + CellAddressOf(kCodeRow, lastColumn),
                       workbook::HorizontalAlignment::Center);
    sheet.setCell(sum::kTotalRow, 1, QStringLiteral("合    计"));
    sheet.setFont(sum::kTotalRow, 1, true, 11);
    sheet.setRowHeight(kSpacerRow, 6);
    sheet.setColumnWidth(1, 28);
    sheet.setPageSetup(workbook::PageOrientation::Landscape, 1, kCodeRow);
}

void build(const QString& out, const QString& fieldlistPath) {
    const QMap<QString, QString> captions = readCaptions(fieldlistPath);
    workbook::Workbook book = workbook::Workbook::create();
    layOutCover(book.sheet(1));
    for (int n = sum::kFirstSummarySheet; n <= sum::kLastSummarySheet; ++n) {
        const sum::SummarySheet& source = sum::summarySheet(n);
        layOutSheet(book.addSheet(source.title), source, captions);
    }
    book.setActiveSheet(1);
    book.save(out);
}

} // namespace

int main(int argc, char* argv[]) {
    return builder::RunBuilder(argc, argv, QStringLiteral("kestrune-mksum"), {"fieldlist"},
                               [](const QStringList& values) { build(values[0], values[1]); });
}
