#include "TableColumns.h"

#include "schema/Connection.h"
#include "schema/Statement.h"

#include <QSet>

namespace kestrune::exchange {

namespace {

QSet<QString> foldedSet(const QStringList& names) {
    QSet<QString> set;
    for (const QString& name : names)
        set.insert(name.toLower());
    return set;
}

} // namespace

QStringList TableColumns(db::Connection& connection, const QString& table, const QString& schema) {
    QStringList names;
    connection.forEachRow(QStringLiteral("select name from pragma_table_info(?, ?)"),
                          {table, schema}, [&](const db::Statement& row) { names << row.text(0); });
    return names;
}

bool SameColumnNames(const QStringList& offered, const QStringList& wanted) {
    const QSet<QString> folded = foldedSet(offered);
    return folded.size() == offered.size() && folded == foldedSet(wanted);
}

} // namespace kestrune::exchange
