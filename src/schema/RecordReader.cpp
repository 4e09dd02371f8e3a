#include "RecordReader.h"

namespace kestrune::db {

namespace {

QString selectText(const QStringList& columns, const QString& condition) {
    QString sql = QStringLiteral("select rowid, c901, c902, RecordState");
    for (const QString& column : columns)
        sql += QLatin1Char(',') + column;
    return sql + QStringLiteral(" from dt_data where ") + condition +
           QStringLiteral(" order by c901");
}

} // namespace

RecordReader::RecordReader(Connection& connection, const QStringList& columns,
                           const QString& condition, const QVariantList& parameters)
    : statement_(connection, selectText(columns, condition)) {
    statement_.bindAll(parameters);
}

bool RecordReader::next() {
    if (!statement_.step())
        return false;
    rowId_ = statement_.int64(0);
    unitCode_ = statement_.doubleValue(1);
    unitName_ = statement_.text(2);
    const StoredValue state = statement_.stored(3);
    recordState_ = state.kind() == StoredValue::Kind::Integer
                       ? std::optional<qint64>(state.toInt64())
                       : std::nullopt;
    return true;
}

qint64 countRecords(Connection& connection, const QString& condition,
                    const QVariantList& parameters) {
    Statement count(connection, QStringLiteral("select count(*) from dt_data where ") + condition);
    count.bindAll(parameters);
    count.step();
    return count.int64(0);
}

} // namespace kestrune::db
