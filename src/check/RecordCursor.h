#pragma once

#include "CheckSelection.h"
#include "FieldSlots.h"
#include "RecordValues.h"
#include "schema/RecordReader.h"

#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::check {

// The selected records in unit-code order, each with the values of the fields
// the rules read, by slot: the survey's record reader, its columns turned into
// rule values.
class RecordCursor {
public:
    RecordCursor(db::Connection& connection, const FieldSlots& fields,
                 const CheckSelection& selection);

    // Reads the next record; false after the last.
    bool next();

    qint64 rowId() const { return records_.rowId(); }
    double unitCode() const { return records_.unitCode(); }
    const QString& unitName() const { return records_.unitName(); }
    // The stored RecordState when it is a whole number.
    std::optional<qint64> recordState() const { return records_.recordState(); }
    const RecordValues& values() const { return values_; }

private:
    void readValues();

    const FieldSlots& fields_;
    db::RecordReader records_;
    RecordValues values_;
};

// How many records the selection holds.
qint64 countSelectedRecords(db::Connection& connection, const CheckSelection& selection);

} // namespace kestrune::check
