#include "ConnectionCore.h"

#include "EngineError.h"

#include <sqlite3.h>

namespace kestrune::db {

ConnectionCore::~ConnectionCore() {
    closeHandle();
}

void ConnectionCore::closeHandle() {
    if (handle) {
        sqlite3_close_v2(handle);
        handle = nullptr;
    }
}

sqlite3* ConnectionCore::requireOpen() const {
    if (!handle)
        throw EngineError(QStringLiteral("数据库连接没有打开"));
    return handle;
}

void ConnectionCore::fail(const QString& context) const {
    QString text =
        handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("数据库连接没有打开");
    if (!context.isEmpty())
        text = context + QStringLiteral(": ") + text;
    throw EngineError(text,
                      handle ? FailureOfResultCode(sqlite3_errcode(handle)) : EngineFailure::Other);
}

EngineFailure FailureOfResultCode(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return EngineFailure::Busy;
    case SQLITE_FULL:
        return EngineFailure::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return EngineFailure::ReadOnly;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return EngineFailure::NotDatabase;
    default:
        return EngineFailure::Other;
    }
}

} // namespace kestrune::db
