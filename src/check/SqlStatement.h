#pragma once

#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace kestrune::check {

// A statement prepared once and run many times (one per record), with values
// bound by position and columns read by index. Failures throw db::EngineError.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const QString& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // Binds the values to the `?` placeholders in order (after a reset).
    void bind(const QVariantList& values);
    void bindInteger(int slot, qint64 value); // slots count from 1
    // Steps once; true while a row is available.
    bool step();
    // Runs a statement that returns no rows and makes it ready for the next
    // values, also when it fails.
    void run();
    // Makes the statement ready to run again with new values.
    void reset();

    sqlite3_stmt* handle() const { return stmt_; }

private:
    [[noreturn]] void fail() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace kestrune::check
