#include "SqlStatement.h"

#include "schema/EngineError.h"

#include <sqlite3.h>

namespace kestrune::check {

SqlStatement::SqlStatement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK)
        fail();
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

void SqlStatement::bind(const QVariantList& values) {
    if (values.size() != sqlite3_bind_parameter_count(stmt_))
        throw db::EngineError(QStringLiteral("语句需要 %1 个参数，给出了 %2 个")
                                  .arg(sqlite3_bind_parameter_count(stmt_))
                                  .arg(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        int rc = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::Double:
            rc = sqlite3_bind_double(stmt_, i + 1, value.toDouble());
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            rc = sqlite3_bind_int64(stmt_, i + 1, value.toLongLong());
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, i + 1, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK)
            fail();
    }
}

void SqlStatement::bindInteger(int slot, qint64 value) {
    if (sqlite3_bind_int64(stmt_, slot, value) != SQLITE_OK)
        fail();
}

bool SqlStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

void SqlStatement::run() {
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_reset(stmt_);
        throw db::EngineError(text);
    }
    sqlite3_reset(stmt_);
}

void SqlStatement::reset() {
    sqlite3_reset(stmt_);
}

void SqlStatement::fail() const {
    throw db::EngineError(QString::fromUtf8(sqlite3_errmsg(db_)));
}

} // namespace kestrune::check
