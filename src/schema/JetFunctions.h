#pragma once

struct sqlite3;

namespace kestrune::db {

// Functions of the Jet dialect that statements use and SQLite lacks:
// int(x) rounds down to the next whole number (Int(-1.5) = -2), null stays null.
void registerJetFunctions(sqlite3* db);

} // namespace kestrune::db
