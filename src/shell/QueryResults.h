#pragma once

#include "ExportQuery.h"
#include "RecordColumns.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

// The name both exports of a result list propose and give their sheet or table.
inline const QString kQueryResultName = QStringLiteral("Kestrune查询结果");

// A result list's condition: "where ..." with a "?" for each bound value.
struct ResultCondition {
    QString text;
    QVariantList values;
};

// The view a result list reads: view_data_all when the condition names a
// field of 附表2 (y001..y012), else view_data.
QString ResultSourceView(const QString& condition);

// "SELECT * from <view> <condition> order by c901 asc": the rows the list shows.
ExportQuery ResultListQuery(db::Connection& connection, const ResultCondition& condition);
// "SELECT * from dt_data <condition> order by c901 asc": every stored column
// of the records found.
ExportQuery ResultDetailQuery(db::Connection& connection, const ResultCondition& condition);

// A column title without the sort mark the title-click sort appended.
QString TitleWithoutSortMark(const QString& title);

// What the workbook export of a result list writes: one descriptor per shown
// column, under its field name, titled as the grid titles it (sort mark
// removed), typed by the list query's declared type: "VARCHAR(n)" for text,
// "INTEGER", "DOUBLE", "DATE", empty for anything else.
TFieldDataArray ResultListDescriptors(const ExportQuery& listQuery, const TFieldDataArray& columns,
                                      const QStringList& titles);

} // namespace kestrune::shell
