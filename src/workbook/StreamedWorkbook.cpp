#include "StreamedWorkbook.h"

#include "DisplayWidth.h"
#include "StreamedPackage.h"
#include "StreamedParts.h"
#include "StreamedSheetXml.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kestrune::workbook {

namespace {

// Spreadsheets keep 15 significant digits; a wider whole number shows in
// scientific notation.
constexpr double kLargestPlainWhole = 1e15;
constexpr int kMaxColumns = 16384;
constexpr double kMaxColumnWidth = 255;

// What a number's shown text adds to its digits under a column's format.
struct NumberLayout {
    bool grouped = false; // "#,##0": a separator every three digits
    int decimals = -1;    // fixed decimals; -1: as many as the value needs
    int extra = 0;        // currency sign, trailing blank
};

NumberLayout layoutOf(const QString& format) {
    NumberLayout layout;
    if (format.isEmpty() || format == QLatin1String("@"))
        return layout;
    const QString positive = format.section(QLatin1Char(';'), 0, 0);
    layout.grouped = positive.contains(QLatin1String("#,##"));
    const int point = positive.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        layout.decimals = 0;
        for (int i = point + 1; i < positive.size() && positive[i] == QLatin1Char('0'); ++i)
            ++layout.decimals;
    } else if (positive.contains(QLatin1Char('0'))) {
        layout.decimals = 0;
    }
    for (QChar c : positive) {
        if (c == QChar(0xFFE5) || c == QChar(0x00A5))
            layout.extra += DisplayWidth(QStringView(&c, 1));
    }
    if (positive.endsWith(QLatin1String("_ ")))
        layout.extra += 1;
    return layout;
}

int wholeDigits(double magnitude) {
    return magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
}

int numberWidth(double value, const NumberLayout& layout) {
    const double magnitude = std::fabs(value);
    const int sign = value < 0 ? 1 : 0;
    if (layout.decimals < 0) {
        if (magnitude < kLargestPlainWhole && value == std::trunc(value))
            return sign + wholeDigits(magnitude);
        char text[32];
        return std::snprintf(text, sizeof text, "%.15g", value);
    }
    const int digits = wholeDigits(magnitude);
    const int separators = layout.grouped ? (digits - 1) / 3 : 0;
    const int fraction = layout.decimals > 0 ? layout.decimals + 1 : 0;
    return sign + digits + separators + fraction + layout.extra;
}

constexpr int kMaxRows = 1048576;
// Rows gathered before they go to the spool file.
constexpr size_t kSpoolChunk = 1 << 20;

} // namespace

struct StreamedWorkbook::Data {
    QString path;
    QString temporary;
    QString sheetName;
    std::unique_ptr<QTemporaryFile> spool;
    std::unique_ptr<DeflatedSpool> deflater; // the rows, deflated into the spool
    std::string rows;                        // rows not yet spooled
    std::string rowCells;                    // the cells of the row being written
    std::vector<std::pair<int, std::pair<size_t, size_t>>> cellSpans; // column, offset, length
    bool rowInOrder = true;
    int currentRow = 0;
    int lastColumn = 0; // the widest row's last column
    std::vector<CellStyle> styles{CellStyle{}};
    std::map<std::tuple<QString, bool, double>, int> styleIndex;
    std::vector<int> columnStyles;
    std::vector<NumberLayout> columnLayouts;
    std::vector<int> widths; // widest content per column, in character cells
    int fitFirst = 0;
    int fitLast = -1;
    qint64 cells = 0;
    bool open = true;
    bool finished = false;

    void requireOpen() const {
        if (!open)
            throw WorkbookError(QStringLiteral("工作簿已经写完"));
    }
    void requireCell(int row, int column) const {
        if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
            throw WorkbookError(QStringLiteral("单元格位置无效：%1行%2列").arg(row).arg(column));
        if (row < currentRow)
            throw WorkbookError(
                QStringLiteral("第%1行已经写过，不能再写第%2行").arg(currentRow).arg(row));
    }
    void grow(int column) {
        if (size_t(column) > widths.size()) {
            widths.resize(size_t(column), 0);
            columnStyles.resize(size_t(column), 0);
            columnLayouts.resize(size_t(column));
        }
    }
    void note(int column, int width) {
        grow(column);
        int& widest = widths[size_t(column - 1)];
        widest = std::max(widest, width);
    }
    int style(const CellStyle& wanted) {
        const auto key = std::make_tuple(wanted.numberFormat, wanted.bold, wanted.fontSize);
        const auto found = styleIndex.find(key);
        if (found != styleIndex.end())
            return found->second;
        styles.push_back(wanted);
        const int index = int(styles.size()) - 1;
        styleIndex.emplace(key, index);
        return index;
    }

    // Starts `row` (ending the one before), then the place for a cell.
    std::string& cellAt(int row, int column) {
        if (row != currentRow) {
            endRow();
            currentRow = row;
        }
        if (!cellSpans.empty() && column <= cellSpans.back().first)
            rowInOrder = false;
        cellSpans.push_back({column, {rowCells.size(), 0}});
        lastColumn = std::max(lastColumn, column);
        return rowCells;
    }
    void cellWritten() {
        cellSpans.back().second.second = rowCells.size() - cellSpans.back().second.first;
    }

    void endRow() {
        if (cellSpans.empty())
            return;
        rows += "<row r=\"";
        rows += std::to_string(currentRow);
        rows += "\">";
        if (rowInOrder) {
            rows += rowCells;
        } else {
            // Cells in column order, the last written of a column kept.
            std::stable_sort(cellSpans.begin(), cellSpans.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (size_t i = 0; i < cellSpans.size(); ++i) {
                if (i + 1 < cellSpans.size() && cellSpans[i + 1].first == cellSpans[i].first)
                    continue;
                rows.append(rowCells, cellSpans[i].second.first, cellSpans[i].second.second);
            }
        }
        rows += "</row>";
        rowCells.clear();
        cellSpans.clear();
        rowInOrder = true;
        if (rows.size() >= kSpoolChunk)
            spoolRows();
    }
    void spoolRows() {
        deflater->append(rows.data(), rows.size());
        rows.clear();
    }

    QByteArray sheetHead() const;
    void abandon() {
        open = false;
        deflater.reset();
        spool.reset();
        if (!temporary.isEmpty())
            QFile::remove(temporary);
    }
};

QByteArray StreamedWorkbook::Data::sheetHead() const {
    std::vector<SheetColumn> columns;
    for (int column = 1; column <= int(widths.size()); ++column) {
        const size_t at = size_t(column - 1);
        const bool fitted = column >= fitFirst && column <= fitLast && widths[at] > 0;
        if (!fitted && columnStyles[at] == 0)
            continue;
        // One character of room beside the widest content, as fitting does.
        columns.push_back({column, fitted ? std::min(kMaxColumnWidth, widths[at] + 1.0) : 0, fitted,
                           columnStyles[at]});
    }
    return SheetHead(currentRow, lastColumn, columns);
}

StreamedWorkbook::StreamedWorkbook(const QString& path, const QString& sheetName)
    : d_(std::make_unique<Data>()) {
    d_->path = QFileInfo(path).absoluteFilePath();
    d_->sheetName = SheetName(sheetName);
    const QFileInfo target(d_->path);
    const QString pattern = target.dir().filePath(QStringLiteral("~") + target.completeBaseName() +
                                                  QStringLiteral("-XXXXXX"));
    // Names of their own beside the target, so that the rename stays within
    // one file system and is atomic, and the rows take room on the disk the
    // workbook goes to.
    QTemporaryFile reserve(pattern + QStringLiteral(".tmp"));
    reserve.setAutoRemove(false);
    d_->spool = std::make_unique<QTemporaryFile>(pattern + QStringLiteral(".rows"));
    if (!reserve.open() || !d_->spool->open())
        throw WorkbookError(
            QStringLiteral("不能在“%1”中建立文件：%2")
                .arg(QDir::toNativeSeparators(target.absolutePath()),
                     reserve.isOpen() ? d_->spool->errorString() : reserve.errorString()));
    d_->temporary = reserve.fileName();
    reserve.close();
    d_->deflater = std::make_unique<DeflatedSpool>(*d_->spool, d_->path);
}

StreamedWorkbook::~StreamedWorkbook() {
    if (!d_->finished)
        d_->abandon();
}

void StreamedWorkbook::setColumnFormat(int column, const QString& numberFormat) {
    d_->requireOpen();
    d_->requireCell(std::max(1, d_->currentRow), column);
    d_->grow(column);
    d_->columnStyles[size_t(column - 1)] =
        numberFormat.isEmpty() ? 0 : d_->style(CellStyle{numberFormat});
    d_->columnLayouts[size_t(column - 1)] = layoutOf(numberFormat);
}

void StreamedWorkbook::writeNumber(int row, int column, double value) {
    d_->requireOpen();
    d_->requireCell(row, column);
    d_->grow(column);
    const size_t index = size_t(column - 1);
    AppendNumberCell(d_->cellAt(row, column), row, column, value, d_->columnStyles[index]);
    d_->cellWritten();
    d_->note(column, numberWidth(value, d_->columnLayouts[index]));
    ++d_->cells;
}

void StreamedWorkbook::writeText(int row, int column, const QString& text) {
    d_->requireOpen();
    d_->requireCell(row, column);
    d_->grow(column);
    AppendTextCell(d_->cellAt(row, column), row, column, text,
                   d_->columnStyles[size_t(column - 1)]);
    d_->cellWritten();
    d_->note(column, DisplayWidth(text));
    ++d_->cells;
}

void StreamedWorkbook::writeText(int row, int column, const QString& text, const CellStyle& style) {
    d_->requireOpen();
    d_->requireCell(row, column);
    AppendTextCell(d_->cellAt(row, column), row, column, text, d_->style(style));
    d_->cellWritten();
    // Larger type takes room in proportion to its size (11 points the default).
    const double scale = style.fontSize > 11 ? style.fontSize / 11 : 1.0;
    d_->note(column, int(std::ceil(DisplayWidth(text) * scale * (style.bold ? 1.1 : 1.0))));
    ++d_->cells;
}

void StreamedWorkbook::fitColumns(int first, int last) {
    d_->fitFirst = first;
    d_->fitLast = last;
}

void StreamedWorkbook::finish() {
    d_->requireOpen();
    d_->grow(std::max(1, d_->fitLast));
    try {
        d_->endRow();
        d_->spoolRows();
        d_->deflater->close();
        WriteSpooledPackage(d_->temporary,
                            StreamedWorkbookParts(d_->sheetName, d_->styles, d_->sheetHead(),
                                                  d_->deflater.get(), d_->spool->fileName()));
    } catch (...) {
        d_->abandon();
        throw;
    }
    d_->open = false;
    d_->deflater.reset();
    d_->spool.reset();
    // The reserved name was made private to this user; the workbook gets the
    // permissions of any file the person saves.
    QFile::setPermissions(d_->temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // rename() replaces an existing target in one step.
    if (std::rename(QFile::encodeName(d_->temporary).constData(),
                    QFile::encodeName(d_->path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(d_->temporary);
        throw WorkbookError(
            QStringLiteral("不能写入文件“%1”：%2").arg(QDir::toNativeSeparators(d_->path), reason));
    }
    d_->finished = true;
}

qint64 StreamedWorkbook::cellsWritten() const {
    return d_->cells;
}

QString StreamedWorkbook::path() const {
    return d_->path;
}

QString StreamedWorkbook::SheetName(const QString& wanted) {
    QString name = wanted;
    for (QChar& c : name) {
        if (QStringLiteral(":\\/?*[]").contains(c))
            c = QLatin1Char('_');
    }
    // A name may not begin or end with an apostrophe either.
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    name = name.left(31);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

} // namespace kestrune::workbook
