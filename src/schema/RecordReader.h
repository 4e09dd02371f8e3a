#pragma once

#include "Statement.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace kestrune::db {

class Connection;

// Walks the survey records of dt_data once, in unit-code order, with one
// statement: for each record its row id, unit code, unit name and stored
// record state, and the columns the caller asked for, read by their index in
// that list. It keeps no row behind it, so a scan of many records costs the
// memory of one; the batch check reads the fields its rules need through it.
class RecordReader {
public:
    // `columns` and `condition` come from the program's own lists, never from
    // the person; the condition's values are bound from `parameters`.
    RecordReader(Connection& connection, const QStringList& columns, const QString& condition,
                 const QVariantList& parameters);

    // Reads the next record; false after the last.
    bool next();

    qint64 rowId() const { return rowId_; }
    double unitCode() const { return unitCode_; }
    const QString& unitName() const { return unitName_; }
    // The stored RecordState when it is a whole number.
    std::optional<qint64> recordState() const { return recordState_; }
    // The asked-for column at `index`, valid until the next record.
    StoredValue column(int index) const { return statement_.stored(kFirstAskedColumn + index); }

private:
    // Columns before the asked-for ones: rowid, c901, c902, RecordState.
    static constexpr int kFirstAskedColumn = 4;

    Statement statement_;
    qint64 rowId_ = 0;
    double unitCode_ = 0;
    QString unitName_;
    std::optional<qint64> recordState_;
};

// How many survey records meet the condition.
qint64 countRecords(Connection& connection, const QString& condition,
                    const QVariantList& parameters);

} // namespace kestrune::db
