#pragma once

#include "shell/RecordColumns.h"
#include "shell/SurveyTerms.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace kestrune::entry {

// The values of the record on the entry pages by field name, kept as the
// catalogue's QueryType says: whole numbers, decimals and yes/no answers as
// numbers, texts as typed. A stored value is kept exactly, whatever a box
// could take from a person (a fraction in a whole-number field, a negative,
// a yes/no field holding 12), and a field stored without a value stays
// without one until something is put in it.
class RecordValues {
public:
    // Holds the catalogue's fields that have a box: the cover's and the
    // survey pages'.
    explicit RecordValues(const shell::TFieldDataArray& catalogue);

    bool holds(const QString& field) const { return fields_.contains(field); }

    // A stored row (column name -> value); columns without a field are left
    // out, fields the row lacks hold nothing.
    void read(const QVariantMap& row);
    // A new record: the survey numbers and answers 0, the texts empty. The
    // cover's codes stay until a cover is proposed.
    void prepareNew();

    // A number (double) or nothing for a numeric field, the text as typed
    // for a text field.
    QVariant value(const QString& field) const;
    qint64 whole(const QString& field) const;
    QString text(const QString& field) const;
    // As the page rules read a box: the name in any letter case, a text as
    // its number; nothing when no field has that name.
    std::optional<double> number(const QString& name) const;

    // A person's or a rule's value: a numeric field takes a number (an
    // empty QVariant for none), a text field text.
    void set(const QString& field, const QVariant& value);
    // Shut by a rule: a number that holds something becomes 0 (nothing
    // stays nothing), a text empty.
    void shut(const QString& field);

    // The row to store (column name -> value): numbers as held, texts
    // trimmed.
    QVariantMap written() const;

private:
    struct Field {
        shell::QueryType kind = shell::QueryType::WholeNumber;
        int id = 0;
        QVariant value;
    };
    static bool numeric(const Field& f) { return f.kind != shell::QueryType::Text; }
    static QVariant converted(const Field& f, const QVariant& value);
    const Field* find(const QString& name) const;

    QHash<QString, Field> fields_;
};

} // namespace kestrune::entry
