#include "RecordColumns.h"

#include "schema/Connection.h"

namespace kestrune::shell {

TFieldDataArray ReadFieldCatalogue(db::Connection& connection) {
    TFieldDataArray fields;
    db::Dataset rows =
        connection.query(QStringLiteral("select * from dt_fieldlist order by sequence"));
    fields.reserve(size_t(rows.recordCount()));
    for (; !rows.eof(); rows.next()) {
        TFieldData f;
        f.ID = int(rows.field(QStringLiteral("ID")).asInteger());
        f.FieldName = rows.field(QStringLiteral("FieldName")).asText();
        f.ShowName = rows.field(QStringLiteral("ShowName")).asText();
        f.Hint = rows.field(QStringLiteral("Hint")).asText();
        f.FieldWidth = int(rows.field(QStringLiteral("FieldWidth")).asInteger());
        f.FieldType = rows.field(QStringLiteral("FieldType")).asText();
        f.Visible = rows.field(QStringLiteral("Visible")).asInteger() != 0;
        f.QueryShow = rows.field(QStringLiteral("QueryShow")).asInteger() != 0;
        f.QueryType = QueryType(int(rows.field(QStringLiteral("QueryType")).asInteger()));
        f.PageID = int(rows.field(QStringLiteral("PageID")).asInteger());
        f.Rule = rows.field(QStringLiteral("Rule")).asText();
        fields.push_back(f);
    }
    return fields;
}

TFieldDataArray VisibleColumns(const TFieldDataArray& catalogue) {
    TFieldDataArray visible;
    for (const TFieldData& f : catalogue) {
        if (f.Visible)
            visible.push_back(f);
    }
    return visible;
}

bool IsCentredColumn(const TFieldData& field) {
    return field.ShowName.compare(kRecordStateField, Qt::CaseInsensitive) == 0 ||
           field.FieldName.compare(kRecordStateField, Qt::CaseInsensitive) == 0;
}

} // namespace kestrune::shell
