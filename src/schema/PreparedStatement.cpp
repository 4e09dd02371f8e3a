#include "PreparedStatement.h"

#include "Connection.h"
#include "EngineError.h"

#include <sqlite3.h>

namespace kestrune::db {

PreparedStatement::PreparedStatement(Connection& connection, const QString& sql)
    : db_(connection.handle()) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &stmt_, nullptr) != SQLITE_OK)
        fail();
    if (!stmt_)
        throw EngineError(QStringLiteral("空的语句"));
}

PreparedStatement::~PreparedStatement() {
    sqlite3_finalize(stmt_);
}

int PreparedStatement::parameterCount() const {
    return sqlite3_bind_parameter_count(stmt_);
}

void PreparedStatement::bindNull(int slot) {
    check(sqlite3_bind_null(stmt_, slot));
}

void PreparedStatement::bindInteger(int slot, qint64 value) {
    check(sqlite3_bind_int64(stmt_, slot, value));
}

void PreparedStatement::bindReal(int slot, double value) {
    check(sqlite3_bind_double(stmt_, slot, value));
}

void PreparedStatement::bindText(int slot, const QString& value) {
    const QByteArray text = value.toUtf8();
    check(sqlite3_bind_text64(stmt_, slot, text.constData(), sqlite3_uint64(text.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8));
}

int PreparedStatement::execute() {
    int rc = sqlite3_step(stmt_);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt_);
    // Reset before reporting, so that a failed run (a duplicate key, say)
    // leaves the statement usable for the next values.
    const QString error = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE)
        throw EngineError(error);
    return sqlite3_changes(db_);
}

void PreparedStatement::fail() const {
    throw EngineError(QString::fromUtf8(sqlite3_errmsg(db_)));
}

void PreparedStatement::check(int resultCode) const {
    if (resultCode != SQLITE_OK)
        fail();
}

} // namespace kestrune::db
