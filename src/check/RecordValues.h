#pragma once

#include "FieldSlots.h"
#include "RuleValue.h"

#include <QVariant>
#include <vector>

namespace kestrune::check {

// One record's values, one per field slot, read once before any rule runs.
// A field left unset or stored empty counts as 0.
class RecordValues {
public:
    explicit RecordValues(const FieldSlots& fields)
        : fields_(&fields), values_(size_t(fields.size())) {}

    const RuleValue* data() const { return values_.data(); }
    RuleValue& at(int slot) { return values_[size_t(slot)]; }
    const FieldSlots& fields() const { return *fields_; }

    // Sets a field by name as the database would deliver it (a null variant
    // is an empty field); a field that no rule reads is ignored.
    void set(const QString& name, const QVariant& stored);
    void clear();

private:
    const FieldSlots* fields_;
    std::vector<RuleValue> values_;
};

} // namespace kestrune::check
