#include "RecordValues.h"

#include "EntryLayout.h"
#include "FieldValues.h"

#include <QSet>

namespace kestrune::entry {

namespace {

QSet<QString> fieldsWithBoxes() {
    QSet<QString> names{shell::kUnitCodeField,      shell::kUnitNameField, shell::kRegionField,
                        shell::kLevelField,         shell::kFillerField,   shell::kPhoneField,
                        shell::kReportingStateField};
    for (const EntryPage& page : EntryPages())
        for (const QString& field : page.fields())
            names.insert(field);
    return names;
}

} // namespace

RecordValues::RecordValues(const shell::TFieldDataArray& catalogue) {
    const QSet<QString> shown = fieldsWithBoxes();
    for (const shell::TFieldData& f : catalogue)
        if (shown.contains(f.FieldName))
            fields_.insert(f.FieldName, Field{f.QueryType, f.ID, QVariant()});
}

QVariant RecordValues::converted(const Field& f, const QVariant& value) {
    if (numeric(f))
        return value.isNull() ? QVariant() : QVariant(value.toDouble());
    return value.isNull() ? QString() : value.toString();
}

void RecordValues::read(const QVariantMap& row) {
    for (auto it = fields_.begin(); it != fields_.end(); ++it)
        it->value = converted(*it, row.value(it.key()));
}

void RecordValues::prepareNew() {
    for (Field& f : fields_) {
        // The cover's codes (the catalogue's first rows) wait for the
        // proposed cover.
        if (f.kind == shell::QueryType::Text)
            f.value = QString();
        else if (f.kind == shell::QueryType::YesNo || f.id > 6)
            f.value = 0.0;
    }
}

const RecordValues::Field* RecordValues::find(const QString& name) const {
    if (auto exact = fields_.constFind(name); exact != fields_.constEnd())
        return &*exact;
    // Rules may write a field's name in another letter case.
    for (auto it = fields_.constBegin(); it != fields_.constEnd(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return &*it;
    return nullptr;
}

QVariant RecordValues::value(const QString& field) const {
    const Field* f = find(field);
    return f ? f->value : QVariant();
}

qint64 RecordValues::whole(const QString& field) const {
    return NearestWhole(value(field).toDouble());
}

QString RecordValues::text(const QString& field) const {
    return value(field).toString();
}

std::optional<double> RecordValues::number(const QString& name) const {
    const Field* f = find(name);
    if (!f)
        return std::nullopt;
    if (numeric(*f))
        return f->value.toDouble();
    return f->value.toString().trimmed().toDouble();
}

void RecordValues::set(const QString& field, const QVariant& value) {
    if (auto it = fields_.find(field); it != fields_.end())
        it->value = converted(*it, value);
}

void RecordValues::shut(const QString& field) {
    auto it = fields_.find(field);
    if (it == fields_.end())
        return;
    if (!numeric(*it))
        it->value = QString();
    else if (it->value.toDouble() != 0)
        it->value = 0.0;
}

QVariantMap RecordValues::written() const {
    QVariantMap row;
    for (auto it = fields_.constBegin(); it != fields_.constEnd(); ++it)
        row.insert(it.key(), numeric(*it) ? it->value : QVariant(it->value.toString().trimmed()));
    return row;
}

} // namespace kestrune::entry
