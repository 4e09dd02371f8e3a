#include "RecordCursor.h"

namespace kestrune::check {

RecordCursor::RecordCursor(db::Connection& connection, const FieldSlots& fields,
                           const CheckSelection& selection)
    // The field names come from the rule table, never from the person.
    : fields_(fields),
      records_(connection, fields.names(), selection.condition(), selection.parameters()),
      values_(fields) {}

bool RecordCursor::next() {
    if (!records_.next())
        return false;
    readValues();
    return true;
}

void RecordCursor::readValues() {
    const int count = fields_.size();
    for (int slot = 0; slot < count; ++slot) {
        const db::StoredValue stored = records_.column(slot);
        const bool real = fields_.isRealValued(slot);
        RuleValue& value = values_.at(slot);
        switch (stored.kind()) {
        case db::StoredValue::Kind::Null:
            value = RuleValue::ofWhole(0);
            break;
        case db::StoredValue::Kind::Real:
            value = fieldValue(real, stored.toDouble());
            break;
        case db::StoredValue::Kind::Integer:
            value = fieldValue(real, stored.toInt64());
            break;
        case db::StoredValue::Kind::Text:
        case db::StoredValue::Kind::Blob:
            value = fieldValue(real, stored.toNumber());
            break;
        }
    }
}

qint64 countSelectedRecords(db::Connection& connection, const CheckSelection& selection) {
    return db::countRecords(connection, selection.condition(), selection.parameters());
}

} // namespace kestrune::check
