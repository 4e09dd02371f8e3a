#include "Connection.h"

#include "ConnectionCore.h"
#include "EngineError.h"
#include "JetFunctions.h"
#include "ProtectedFile.h"
#include "SqlText.h"
#include "Statement.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace kestrune::db {

namespace {

// sqlite3_deserialize takes ownership of memory from sqlite3_malloc64.
void loadImage(sqlite3* db, const QString& schema, const QByteArray& image) {
    const auto size = sqlite3_int64(image.size());
    auto* buffer = static_cast<unsigned char*>(sqlite3_malloc64(sqlite3_uint64(size)));
    if (!buffer)
        throw EngineError(QStringLiteral("内存不足"));
    memcpy(buffer, image.constData(), size_t(size));
    const QByteArray name = schema.toUtf8();
    const int rc =
        sqlite3_deserialize(db, name.constData(), buffer, size, size,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    if (rc != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(db)));
}

// sqlite3_deserialize without FREEONCLOSE or RESIZEABLE neither frees nor
// grows the buffer, so bytes held by `core` (which keeps them alive) can be
// used where they lie. An empty image is no database file (the engine would
// take it for a new, empty one).
void holdImage(ConnectionCore& core, const QString& schema, QByteArray image, bool readOnly) {
    if (image.isEmpty())
        throw EngineError(QStringLiteral("文件不是数据库"), EngineFailure::NotDatabase);
    // A writable image must be ours alone: data() copies shared bytes first.
    auto* data = reinterpret_cast<unsigned char*>(readOnly ? const_cast<char*>(image.constData())
                                                           : image.data());
    const QByteArray name = schema.toUtf8();
    const int rc = sqlite3_deserialize(core.handle, name.constData(), data,
                                       sqlite3_int64(image.size()), sqlite3_int64(image.size()),
                                       readOnly ? SQLITE_DESERIALIZE_READONLY : 0);
    if (rc != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(core.handle)));
    core.heldImages.insert(schema.toLower(), std::move(image));
}

// An empty in-memory database, for an image to be loaded into.
std::shared_ptr<ConnectionCore> inMemoryCore() {
    auto core = std::make_shared<ConnectionCore>();
    if (sqlite3_open_v2(":memory:", &core->handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        core->fail();
    return core;
}

QByteArray saveImage(sqlite3* db, const QString& schema) {
    sqlite3_int64 size = 0;
    const QByteArray name = schema.toUtf8();
    unsigned char* data = sqlite3_serialize(db, name.constData(), &size, 0);
    if (!data)
        throw EngineError(QStringLiteral("无法读出数据库内容"));
    QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    sqlite3_free(data);
    return image;
}

} // namespace

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

void Connection::open(const QString& path) {
    close();
    auto core = std::make_shared<ConnectionCore>();
    core->path = path;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    if (sqlite3_open_v2(file.constData(), &core->handle, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        core->fail(path);
    adopt(std::move(core));
}

void Connection::openProtected(const QString& path, const QString& password) {
    close();
    const QByteArray image = ProtectedFile::read(path, password);
    auto core = inMemoryCore();
    core->path = path;
    core->protectedPassword = password;
    loadImage(core->handle, QStringLiteral("main"), image);
    adopt(std::move(core));
}

void Connection::openImage(const QByteArray& image) {
    close();
    auto core = inMemoryCore();
    loadImage(core->handle, QStringLiteral("main"), image);
    adopt(std::move(core));
}

void Connection::openImageReadOnly(const QByteArray& image) {
    close();
    auto core = inMemoryCore();
    holdImage(*core, QStringLiteral("main"), image, true);
    adopt(std::move(core));
}

void Connection::adopt(std::shared_ptr<ConnectionCore> core) {
    core_ = std::move(core);
    try {
        configure();
    } catch (...) {
        core_.reset();
        throw;
    }
}

QByteArray Connection::image() {
    return saveImage(handle(), QStringLiteral("main"));
}

void Connection::saveProtected() {
    if (!isProtected())
        throw EngineError(QStringLiteral("连接的不是受保护的数据库文件"));
    ProtectedFile::write(core_->path, saveImage(core_->requireOpen(), QStringLiteral("main")),
                         core_->protectedPassword);
}

void Connection::configure() {
    sqlite3* db = core_->requireOpen();
    sqlite3_busy_timeout(db, kDefaultBusyTimeout);
    sqlite3_extended_result_codes(db, 0);
    // Reading the schema is what tells a database from any other file.
    executeScript(QStringLiteral("select count(*) from sqlite_master"));
    if (!isProtected())
        executeScript(QStringLiteral("PRAGMA journal_mode=DELETE"));
    registerJetFunctions(db);
}

void Connection::close() {
    if (core_)
        core_->closeHandle();
    core_.reset();
}

bool Connection::isOpen() const {
    return core_ && core_->handle;
}
bool Connection::isProtected() const {
    return isOpen() && !core_->protectedPassword.isEmpty();
}
QString Connection::path() const {
    return core_ ? core_->path : QString();
}

sqlite3* Connection::handle() const {
    return core().requireOpen();
}

const ConnectionCore& Connection::core() const {
    if (!core_)
        throw EngineError(QStringLiteral("数据库连接没有打开"));
    return *core_;
}

int Connection::execute(const QString& sql, const QVariantList& params) {
    requireCore();
    Statement st(*core_, sql, params);
    while (st.step()) {
    }
    return sqlite3_changes(core_->handle);
}

void Connection::executeScript(const QString& sql) {
    sqlite3* db = handle();
    char* error = nullptr;
    const QByteArray text = sql.toUtf8();
    if (const int rc = sqlite3_exec(db, text.constData(), nullptr, nullptr, &error);
        rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw EngineError(message, FailureOfResultCode(rc));
    }
}

Dataset Connection::query(const QString& sql, const QVariantList& params) {
    requireCore();
    Dataset ds(core_, sql, params);
    ds.requery();
    return ds;
}

void Connection::forEachRow(const QString& sql, const QVariantList& params,
                            const std::function<void(const Statement& row)>& visit) {
    requireCore();
    Statement st(*core_, sql, params);
    while (st.step())
        visit(st);
}

Dataset Connection::prepare(const QString& sql) {
    requireCore();
    return Dataset(core_, sql, {});
}

Dataset Connection::openTable(const QString& table) {
    requireCore();
    Dataset ds(core_, QStringLiteral("select rowid as __rowid__, * from %1").arg(quoteName(table)),
               {});
    ds.setWriteTarget(table, QStringLiteral("rowid"));
    ds.requery();
    return ds;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    requireCore();
    Statement st(*core_, sql, params);
    return st.step() ? st.value(0) : QVariant();
}

QStringList Connection::tableNames() {
    QStringList names;
    requireCore();
    Statement st(*core_,
                 QStringLiteral("select name from sqlite_master where type='table' and "
                                "name not like 'sqlite_%' order by name"),
                 {});
    while (st.step())
        names << st.value(0).toString();
    return names;
}

bool Connection::hasTable(const QString& name) {
    return tableNames().contains(name, Qt::CaseInsensitive);
}

void Connection::begin() {
    executeScript(QStringLiteral("BEGIN IMMEDIATE"));
}
void Connection::commit() {
    executeScript(QStringLiteral("COMMIT"));
}

void Connection::rollback() {
    if (inTransaction())
        executeScript(QStringLiteral("ROLLBACK"));
}

bool Connection::inTransaction() const {
    return isOpen() && sqlite3_get_autocommit(core_->handle) == 0;
}

void Connection::attach(const QString& path, const QString& schema) {
    if (!QFileInfo::exists(path))
        throw EngineError(QStringLiteral("文件不存在: ") + path);
    execute(QStringLiteral("ATTACH DATABASE ? AS %1").arg(checkedSchemaName(schema)),
            {QFileInfo(path).absoluteFilePath()});
    try {
        executeScript(QStringLiteral("select count(*) from %1.sqlite_master").arg(schema));
    } catch (...) {
        detach(schema);
        throw;
    }
}

void Connection::attachProtected(const QString& path, const QString& schema,
                                 const QString& password) {
    const QByteArray image = ProtectedFile::read(path, password);
    execute(QStringLiteral("ATTACH DATABASE ':memory:' AS %1").arg(checkedSchemaName(schema)));
    try {
        loadImage(handle(), schema, image);
        executeScript(QStringLiteral("select count(*) from %1.sqlite_master").arg(schema));
    } catch (...) {
        detach(schema);
        throw;
    }
}

void Connection::attachImage(const QByteArray& image, const QString& schema) {
    execute(QStringLiteral("ATTACH DATABASE ':memory:' AS %1").arg(checkedSchemaName(schema)));
    try {
        loadImage(handle(), schema, image);
        executeScript(QStringLiteral("select count(*) from %1.sqlite_master").arg(schema));
    } catch (...) {
        detach(schema);
        throw;
    }
}

void Connection::attachImage(QByteArray&& image, const QString& schema) {
    execute(QStringLiteral("ATTACH DATABASE ':memory:' AS %1").arg(checkedSchemaName(schema)));
    try {
        holdImage(*core_, schema, std::move(image), false);
        executeScript(QStringLiteral("select count(*) from %1.sqlite_master").arg(schema));
    } catch (...) {
        detach(schema);
        throw;
    }
}

void Connection::detach(const QString& schema) {
    execute(QStringLiteral("DETACH DATABASE %1").arg(checkedSchemaName(schema)));
    core_->heldImages.remove(schema.toLower());
}

void Connection::saveAttachedProtected(const QString& schema, const QString& path,
                                       const QString& password) {
    ProtectedFile::write(path, saveImage(handle(), checkedSchemaName(schema)), password);
}

void Connection::requireCore() const {
    handle();
}

void Connection::setBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(handle(), milliseconds);
}

qint64 Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(handle());
}

} // namespace kestrune::db
