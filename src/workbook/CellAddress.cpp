#include "CellAddress.h"

namespace kestrune::workbook {

namespace {
constexpr int kMaxColumn = 16384;
constexpr int kMaxRow = 1048576;
} // namespace

std::optional<CellPosition> ParseCellAddress(const QString& address) {
    qsizetype i = 0;
    const qsizetype n = address.size();
    if (i < n && address[i] == u'$')
        ++i;
    int column = 0;
    int letters = 0;
    while (i < n && address[i].isLetter() && address[i].unicode() < 128) {
        if (++letters > 3)
            return std::nullopt;
        column = column * 26 + (address[i].toUpper().unicode() - u'A' + 1);
        ++i;
    }
    if (letters == 0 || column > kMaxColumn)
        return std::nullopt;
    if (i < n && address[i] == u'$')
        ++i;
    const qsizetype digitsStart = i;
    qint64 row = 0;
    while (i < n && address[i] >= u'0' && address[i] <= u'9') {
        row = row * 10 + (address[i].unicode() - u'0');
        if (row > kMaxRow)
            return std::nullopt;
        ++i;
    }
    if (i != n || i == digitsStart || row == 0)
        return std::nullopt;
    return CellPosition{static_cast<int>(row), column};
}

QString ColumnLetters(int column) {
    QString letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.prepend(QChar(u'A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

QString CellAddressOf(int row, int column) {
    return ColumnLetters(column) + QString::number(row);
}

} // namespace kestrune::workbook
