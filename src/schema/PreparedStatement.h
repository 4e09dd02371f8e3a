#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace kestrune::db {

class Connection;

// One statement prepared once and run many times with new values, for bulk
// writes where preparing the text for every row would cost more than the row
// itself. Values are bound by slot, counted from 1 as the `?` placeholders
// stand in the text; a value stays bound until it is bound again.
class PreparedStatement {
public:
    PreparedStatement(Connection& connection, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    int parameterCount() const;

    void bindNull(int slot);
    void bindInteger(int slot, qint64 value);
    void bindReal(int slot, double value);
    void bindText(int slot, const QString& value);

    // Runs the statement to its end and makes it ready for the next values;
    // returns the number of rows changed.
    int execute();

private:
    [[noreturn]] void fail() const;
    void check(int resultCode) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace kestrune::db
