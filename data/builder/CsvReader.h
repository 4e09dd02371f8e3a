#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace kestrune::data {

// Reads RFC 4180 text as the data files use it: UTF-8, the first record names
// the columns, an empty unquoted field is a null, "" is empty text.
struct CsvTable {
    QStringList columns;
    QVector<QVector<QVariant>> rows;
};

CsvTable parseCsv(const QByteArray& utf8, const QString& sourceName);
CsvTable readCsvFile(const QString& path);

} // namespace kestrune::data
