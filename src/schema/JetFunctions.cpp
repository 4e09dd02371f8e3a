#include "JetFunctions.h"

#include "EngineError.h"

#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace kestrune::db {

namespace {

void jetInt(sqlite3_context* context, int, sqlite3_value** args) {
    sqlite3_value* arg = args[0];
    switch (sqlite3_value_numeric_type(arg)) {
    case SQLITE_NULL:
        sqlite3_result_null(context);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_int64(context, sqlite3_value_int64(arg));
        return;
    case SQLITE_FLOAT: {
        const double floored = std::floor(sqlite3_value_double(arg));
        constexpr double limit = 9.2e18;
        if (std::fabs(floored) < limit)
            sqlite3_result_int64(context, sqlite3_int64(floored));
        else
            sqlite3_result_double(context, floored);
        return;
    }
    default:
        // Text that does not read as a number counts as 0, as in arithmetic.
        sqlite3_result_int64(context, 0);
        return;
    }
}

} // namespace

void registerJetFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    if (sqlite3_create_function_v2(db, "int", 1, flags, nullptr, jetInt, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace kestrune::db
