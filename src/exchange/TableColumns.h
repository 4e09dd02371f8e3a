#pragma once

#include <QString>
#include <QStringList>

namespace kestrune::db {
class Connection;
}

namespace kestrune::exchange {

// The column names of `table` in `schema`, in their declared order.
QStringList TableColumns(db::Connection& connection, const QString& table,
                         const QString& schema = QStringLiteral("main"));

// Whether two tables hold the same columns whatever their order, names
// compared as the engine compares them (without regard to case). A table
// naming one column twice never matches: its values could not be told apart.
bool SameColumnNames(const QStringList& offered, const QStringList& wanted);

} // namespace kestrune::exchange
