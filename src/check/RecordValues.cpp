#include "RecordValues.h"

namespace kestrune::check {

void RecordValues::set(const QString& name, const QVariant& stored) {
    const int slot = fields_->find(name);
    if (slot < 0)
        return;
    const bool real = fields_->isRealValued(slot);
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        at(slot) = fieldValue(real, stored.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        at(slot) = fieldValue(real, stored.toDouble());
        break;
    default:
        // Nulls and texts as the database layer reads them: empty is 0.
        at(slot) = fieldValue(real, stored.isNull() ? 0.0 : stored.toString().trimmed().toDouble());
        break;
    }
}

void RecordValues::clear() {
    std::fill(values_.begin(), values_.end(), RuleValue());
}

} // namespace kestrune::check
