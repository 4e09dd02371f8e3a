#include "Statement.h"

#include "Connection.h"
#include "ConnectionCore.h"
#include "EngineError.h"

#include <sqlite3.h>

namespace kestrune::db {

namespace {

EngineError countMismatch(int slots, qsizetype given) {
    return EngineError(QStringLiteral("语句需要 %1 个参数，给出了 %2 个").arg(slots).arg(given));
}

} // namespace

static_assert(int(StoredValue::Kind::Integer) == SQLITE_INTEGER &&
              int(StoredValue::Kind::Real) == SQLITE_FLOAT &&
              int(StoredValue::Kind::Text) == SQLITE_TEXT &&
              int(StoredValue::Kind::Blob) == SQLITE_BLOB &&
              int(StoredValue::Kind::Null) == SQLITE_NULL);

StoredValue::StoredValue(sqlite3_value* value)
    : value_(value), kind_(Kind(sqlite3_value_type(value))) {
    if (kind_ == Kind::Integer)
        whole_ = sqlite3_value_int64(value);
    else if (kind_ == Kind::Real)
        real_ = sqlite3_value_double(value);
}

qint64 StoredValue::storedInt64() const {
    return sqlite3_value_int64(value_);
}

double StoredValue::storedDouble() const {
    return sqlite3_value_double(value_);
}

QByteArrayView StoredValue::utf8() const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    return QByteArrayView(text, sqlite3_value_bytes(value_));
}

double StoredValue::toNumber() const {
    switch (kind()) {
    case Kind::Null:
        return 0;
    case Kind::Integer:
    case Kind::Real:
        return toDouble();
    case Kind::Text:
    case Kind::Blob:
        break;
    }
    return utf8().trimmed().toDouble();
}

Statement::Statement(Connection& connection, const QString& sql) : core_(connection.core()) {
    prepare(sql, SQLITE_PREPARE_PERSISTENT);
}

Statement::Statement(const ConnectionCore& core, const QString& sql, const QVariantList& params,
                     const QVariantMap& named)
    : core_(core) {
    prepare(sql, 0);
    bindAll(params, named);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::prepare(const QString& sql, unsigned flags) {
    sqlite3* db = core_.requireOpen();
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), flags, &stmt_, nullptr) !=
        SQLITE_OK)
        core_.fail();
    if (!stmt_)
        throw EngineError(QStringLiteral("空的语句"));
}

void Statement::bindAll(const QVariantList& params, const QVariantMap& named) {
    const int slots = sqlite3_bind_parameter_count(stmt_);
    int positional = 0;
    for (int slot = 1; slot <= slots; ++slot) {
        const char* name = sqlite3_bind_parameter_name(stmt_, slot);
        if (name && name[0] != '?') {
            const QString key = QString::fromUtf8(name + 1);
            if (!named.contains(key))
                throw EngineError(QStringLiteral("参数没有值: ") + QString::fromUtf8(name));
            bind(slot, named.value(key));
        } else {
            if (positional >= params.size())
                throw countMismatch(slots, params.size());
            bind(slot, params[positional++]);
        }
    }
    if (positional != params.size())
        throw countMismatch(slots, params.size());
}

int Statement::parameterCount() const {
    return sqlite3_bind_parameter_count(stmt_);
}

void Statement::bind(int slot, const QVariant& value) {
    // A variant without a value is NULL whatever its type; a null QString
    // held in a variant is a value, the empty text.
    if (value.isNull()) {
        bindNull(slot);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
        bindInteger(slot, value.toLongLong());
        return;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        bindInteger(slot, qint64(value.toULongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        bindReal(slot, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        check(sqlite3_bind_blob64(stmt_, slot, bytes.constData(), sqlite3_uint64(bytes.size()),
                                  SQLITE_TRANSIENT));
        return;
    }
    default:
        bindText(slot, value.toString());
        return;
    }
}

void Statement::bind(const QString& name, const QVariant& value) {
    const QByteArray key =
        (name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name).toUtf8();
    const int slot = sqlite3_bind_parameter_index(stmt_, key.constData());
    if (slot == 0)
        throw EngineError(QStringLiteral("语句没有参数: ") + QString::fromUtf8(key));
    bind(slot, value);
}

void Statement::bindNull(int slot) {
    check(sqlite3_bind_null(stmt_, slot));
}

void Statement::bindInteger(int slot, qint64 value) {
    check(sqlite3_bind_int64(stmt_, slot, value));
}

void Statement::bindReal(int slot, double value) {
    check(sqlite3_bind_double(stmt_, slot, value));
}

void Statement::bindText(int slot, const QString& value) {
    // A null QString gives an empty array whose data is "", never a null
    // pointer, so an empty text binds as '' and not as NULL.
    const QByteArray text = value.toUtf8();
    check(sqlite3_bind_text64(stmt_, slot, text.constData(), sqlite3_uint64(text.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8));
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    core_.fail();
}

int Statement::execute() {
    int rc = sqlite3_step(stmt_);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE) {
        // Read the error before the reset, which leaves the statement usable.
        try {
            core_.fail();
        } catch (...) {
            sqlite3_reset(stmt_);
            throw;
        }
    }
    sqlite3_reset(stmt_);
    return sqlite3_changes(core_.handle);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}

void Statement::check(int resultCode) const {
    if (resultCode != SQLITE_OK)
        core_.fail();
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QString Statement::declaredType(int column) const {
    const char* type = sqlite3_column_decltype(stmt_, column);
    return type ? QString::fromUtf8(type) : QString();
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(stmt_, column)));
    }
    default:
        return QVariant();
    }
}

qint64 Statement::int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::doubleValue(int column) const {
    return sqlite3_column_double(stmt_, column);
}

QString Statement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool Statement::isNumber(int column) const {
    const int type = sqlite3_column_type(stmt_, column);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

StoredValue Statement::stored(int column) const {
    return StoredValue(sqlite3_column_value(stmt_, column));
}

} // namespace kestrune::db
