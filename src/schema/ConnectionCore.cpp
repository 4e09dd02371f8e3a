#include "ConnectionCore.h"

#include "EngineError.h"

#include <sqlite3.h>

namespace kestrune::db {

namespace {

EngineError countMismatch(int slots, qsizetype given) {
    return EngineError(QStringLiteral("语句需要 %1 个参数，给出了 %2 个").arg(slots).arg(given));
}

} // namespace

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

Statement::Statement(const ConnectionCore& core, const QString& sql, const QVariantList& params,
                     const QVariantMap& named)
    : core_(core) {
    sqlite3* db = core.requireOpen();
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK)
        core.fail();
    if (!stmt_)
        throw EngineError(QStringLiteral("空的语句"));
    bind(params, named);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::bind(const QVariantList& params, const QVariantMap& named) {
    const int slots = sqlite3_bind_parameter_count(stmt_);
    int positional = 0;
    for (int slot = 1; slot <= slots; ++slot) {
        const char* name = sqlite3_bind_parameter_name(stmt_, slot);
        if (name && name[0] != '?') {
            const QString key = QString::fromUtf8(name + 1);
            if (!named.contains(key))
                throw EngineError(QStringLiteral("参数没有值: ") + QString::fromUtf8(name));
            bindValue(slot, named.value(key));
        } else {
            if (positional >= params.size())
                throw countMismatch(slots, params.size());
            bindValue(slot, params[positional++]);
        }
    }
    if (positional != params.size())
        throw countMismatch(slots, params.size());
}

void Statement::bindValue(int slot, const QVariant& v) {
    int rc = SQLITE_OK;
    switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        rc = sqlite3_bind_null(stmt_, slot);
        break;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
        rc = sqlite3_bind_int64(stmt_, slot, v.toLongLong());
        break;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        rc = sqlite3_bind_int64(stmt_, slot, qint64(v.toULongLong()));
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        rc = sqlite3_bind_double(stmt_, slot, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        rc = sqlite3_bind_blob64(stmt_, slot, b.constData(), sqlite3_uint64(b.size()),
                                 SQLITE_TRANSIENT);
        break;
    }
    default: {
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt_, slot);
            break;
        }
        const QByteArray s = v.toString().toUtf8();
        rc = sqlite3_bind_text64(stmt_, slot, s.constData(), sqlite3_uint64(s.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    }
    if (rc != SQLITE_OK)
        core_.fail();
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    core_.fail();
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QString Statement::declaredType(int i) const {
    const char* t = sqlite3_column_decltype(stmt_, i);
    return t ? QString::fromUtf8(t) : QString();
}

double Statement::doubleValue(int i) const {
    return sqlite3_column_double(stmt_, i);
}

QString Statement::text(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt_, i));
}

bool Statement::isNull(int i) const {
    return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}

bool Statement::isNumber(int i) const {
    const int type = sqlite3_column_type(stmt_, i);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(stmt_, i)));
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        return QVariant(QByteArray(p, sqlite3_column_bytes(stmt_, i)));
    }
    default:
        return QVariant();
    }
}

} // namespace kestrune::db
