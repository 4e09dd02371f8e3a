#pragma once

#include <QString>

namespace kestrune::db {

// A unit-code bound as statements write it: two decimals, no grouping
// (100000000000 becomes "100000000000.00").
QString formatUnitCode(double code);

// An identifier in square brackets, for names that come from the catalogue.
QString quoteName(const QString& name);

// A schema name for ATTACH/DETACH, which cannot be a bound parameter: only
// letters, digits and underscores are accepted.
QString checkedSchemaName(const QString& schema);

} // namespace kestrune::db
