#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::check {

// The record fields that compiled conditions read, each at a fixed slot, so a
// record's values are read once into an array and every rule indexes it.
class FieldSlots {
public:
    // The slot of a field, added at the end when the field is new. Names are
    // kept in lower case, as dt_data spells its columns.
    int slotFor(const QString& name);
    // -1 when no condition reads the field.
    int find(const QString& name) const;

    int size() const { return int(names_.size()); }
    const QStringList& names() const { return names_; }
    bool isRealValued(int slot) const { return realValued_[size_t(slot)]; }

private:
    QStringList names_;
    std::vector<bool> realValued_;
    QHash<QString, int> slots_;
};

// The fields that hold amounts with a fraction and are read as real numbers;
// every other field is read as a whole number.
bool isRealValuedField(const QString& name);

} // namespace kestrune::check
