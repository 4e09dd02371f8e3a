#include "StreamedWorkbook.h"

#include "DisplayWidth.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>
#include <xlsxwriter.h>

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

void check(lxw_error error, const QString& what) {
    if (error != LXW_NO_ERROR)
        throw WorkbookError(what + QStringLiteral("：") + QString::fromUtf8(lxw_strerror(error)));
}

} // namespace

struct StreamedWorkbook::Data {
    QString path;
    QString temporary;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    std::vector<lxw_format*> columnFormats;
    std::vector<NumberLayout> columnLayouts;
    std::vector<int> widths; // widest content per column, in character cells
    std::map<std::tuple<QString, bool, double>, lxw_format*> styles;
    int fitFirst = 0;
    int fitLast = -1;
    qint64 cells = 0;
    bool finished = false;

    void requireOpen() const {
        if (!book)
            throw WorkbookError(QStringLiteral("工作簿已经写完"));
    }
    void requireColumn(int row, int column) const {
        if (row < 1 || row > LXW_ROW_MAX || column < 1 || column > kMaxColumns)
            throw WorkbookError(QStringLiteral("单元格位置无效：%1行%2列").arg(row).arg(column));
    }
    void grow(int column) {
        if (size_t(column) > widths.size()) {
            widths.resize(size_t(column), 0);
            columnFormats.resize(size_t(column), nullptr);
            columnLayouts.resize(size_t(column));
        }
    }
    void note(int column, int width) {
        grow(column);
        int& widest = widths[size_t(column - 1)];
        widest = std::max(widest, width);
    }
    lxw_format* style(const CellStyle& wanted) {
        const auto key = std::make_tuple(wanted.numberFormat, wanted.bold, wanted.fontSize);
        auto found = styles.find(key);
        if (found != styles.end())
            return found->second;
        lxw_format* format = workbook_add_format(book);
        if (!wanted.numberFormat.isEmpty())
            format_set_num_format(format, wanted.numberFormat.toUtf8().constData());
        if (wanted.bold)
            format_set_bold(format);
        if (wanted.fontSize > 0)
            format_set_font_size(format, wanted.fontSize);
        styles.emplace(key, format);
        return format;
    }
    // Gives up the workbook without writing it: libxlsxwriter writes only on
    // close, so closing into the temporary name and removing it is the way.
    void abandon() {
        if (book) {
            workbook_close(book);
            book = nullptr;
        }
        if (!temporary.isEmpty())
            QFile::remove(temporary);
    }
};

StreamedWorkbook::StreamedWorkbook(const QString& path, const QString& sheetName)
    : d_(std::make_unique<Data>()) {
    d_->path = QFileInfo(path).absoluteFilePath();
    const QFileInfo target(d_->path);
    // A name of its own beside the target, so that the rename stays within
    // one file system and is atomic.
    QTemporaryFile reserve(target.dir().filePath(QStringLiteral("~") + target.completeBaseName() +
                                                 QStringLiteral("-XXXXXX.tmp")));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw WorkbookError(
            QStringLiteral("不能在“%1”中建立文件：%2")
                .arg(QDir::toNativeSeparators(target.absolutePath()), reserve.errorString()));
    d_->temporary = reserve.fileName();
    reserve.close();

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    d_->book = workbook_new_opt(d_->temporary.toUtf8().constData(), &options);
    if (!d_->book) {
        QFile::remove(d_->temporary);
        throw WorkbookError(QStringLiteral("不能建立工作簿"));
    }
    d_->sheet = workbook_add_worksheet(d_->book, SheetName(sheetName).toUtf8().constData());
    if (!d_->sheet) {
        d_->abandon();
        throw WorkbookError(QStringLiteral("工作表名称无效：") + sheetName);
    }
}

StreamedWorkbook::~StreamedWorkbook() {
    if (!d_->finished)
        d_->abandon();
}

void StreamedWorkbook::setColumnFormat(int column, const QString& numberFormat) {
    d_->requireOpen();
    d_->requireColumn(1, column);
    d_->grow(column);
    d_->columnFormats[size_t(column - 1)] =
        numberFormat.isEmpty() ? nullptr : d_->style(CellStyle{numberFormat});
    d_->columnLayouts[size_t(column - 1)] = layoutOf(numberFormat);
}

void StreamedWorkbook::writeNumber(int row, int column, double value) {
    d_->requireOpen();
    d_->requireColumn(row, column);
    d_->grow(column);
    const size_t index = size_t(column - 1);
    check(worksheet_write_number(d_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), value,
                                 d_->columnFormats[index]),
          QStringLiteral("写入单元格失败"));
    d_->note(column, numberWidth(value, d_->columnLayouts[index]));
    ++d_->cells;
}

void StreamedWorkbook::writeText(int row, int column, const QString& text) {
    d_->requireOpen();
    d_->requireColumn(row, column);
    d_->grow(column);
    check(worksheet_write_string(d_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                 text.toUtf8().constData(), d_->columnFormats[size_t(column - 1)]),
          QStringLiteral("写入单元格失败"));
    d_->note(column, DisplayWidth(text));
    ++d_->cells;
}

void StreamedWorkbook::writeText(int row, int column, const QString& text, const CellStyle& style) {
    d_->requireOpen();
    d_->requireColumn(row, column);
    check(worksheet_write_string(d_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                 text.toUtf8().constData(), d_->style(style)),
          QStringLiteral("写入单元格失败"));
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
    for (int column = std::max(1, d_->fitFirst); column <= d_->fitLast; ++column) {
        d_->grow(column);
        const int widest = d_->widths[size_t(column - 1)];
        if (widest == 0)
            continue;
        // One character of room beside the widest content, as fitting does.
        const double width = std::min(kMaxColumnWidth, widest + 1.0);
        check(worksheet_set_column(d_->sheet, lxw_col_t(column - 1), lxw_col_t(column - 1), width,
                                   d_->columnFormats[size_t(column - 1)]),
              QStringLiteral("设置列宽失败"));
    }
    for (int column = 1; column <= int(d_->columnFormats.size()); ++column) {
        const bool fitted =
            column >= d_->fitFirst && column <= d_->fitLast && d_->widths[size_t(column - 1)] > 0;
        if (!fitted && d_->columnFormats[size_t(column - 1)])
            worksheet_set_column(d_->sheet, lxw_col_t(column - 1), lxw_col_t(column - 1),
                                 LXW_DEF_COL_WIDTH, d_->columnFormats[size_t(column - 1)]);
    }
    lxw_workbook* book = d_->book;
    d_->book = nullptr;
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(d_->temporary);
        throw WorkbookError(
            QStringLiteral("不能写入文件“%1”：%2")
                .arg(QDir::toNativeSeparators(d_->path), QString::fromUtf8(lxw_strerror(closed))));
    }
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
