#pragma once

#include "CheckSelection.h"
#include "FieldSlots.h"
#include "RecordValues.h"
#include "SqlStatement.h"

#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::check {

// The selected records, read with one statement in unit-code order: for each
// record its row id, unit code, name and state, and the values of the fields
// the rules read, by column index.
class RecordCursor {
public:
    RecordCursor(db::Connection& connection, const FieldSlots& fields,
                 const CheckSelection& selection);

    // Reads the next record; false after the last.
    bool next();

    qint64 rowId() const { return rowId_; }
    double unitCode() const { return unitCode_; }
    const QString& unitName() const { return unitName_; }
    // The stored RecordState when it is a whole number.
    std::optional<qint64> recordState() const { return recordState_; }
    const RecordValues& values() const { return values_; }

private:
    void readValues();

    const FieldSlots& fields_;
    SqlStatement statement_;
    RecordValues values_;
    qint64 rowId_ = 0;
    double unitCode_ = 0;
    QString unitName_;
    std::optional<qint64> recordState_;
};

// How many records the selection holds.
qint64 countSelectedRecords(db::Connection& connection, const CheckSelection& selection);

} // namespace kestrune::check
