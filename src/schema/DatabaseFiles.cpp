#include "DatabaseFiles.h"

#include "Connection.h"
#include "EngineError.h"
#include "LargeBuffer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <sqlite3.h>

namespace kestrune::db {

QByteArray readFileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("无法打开文件 %1: %2").arg(path, file.errorString()));
    const qint64 size = file.size();
    if (size <= 0)
        return file.readAll();
    QByteArray contents = LargeBuffer(size);
    qint64 done = 0;
    while (done < size) {
        const qint64 read = file.read(contents.data() + done, size - done);
        if (read < 0)
            throw EngineError(QStringLiteral("无法读取文件 %1: %2").arg(path, file.errorString()));
        if (read == 0)
            break;
        done += read;
    }
    contents.truncate(done);
    // A file that grew while it was read is read to its end.
    const QByteArray rest = file.readAll();
    if (!rest.isEmpty())
        contents.append(rest);
    return contents;
}

EngineFailure WriteFailure(const QString& path, qint64 size) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isWritable() || (QFileInfo::exists(path) && !QFileInfo(path).isWritable()))
        return EngineFailure::ReadOnly;
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < size)
        return EngineFailure::DiskFull;
    return EngineFailure::Other;
}

void replaceFileContents(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit())
        throw EngineError(QStringLiteral("无法写入文件 %1: %2").arg(path, file.errorString()),
                          WriteFailure(path, contents.size()));
}

void createDatabase(const QString& path) {
    if (QFileInfo::exists(path))
        throw EngineError(QStringLiteral("文件已经存在: ") + path);
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    const int rc =
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString error;
    if (rc != SQLITE_OK) {
        error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    } else {
        // Writing the header page gives the file the database signature at once.
        char* message = nullptr;
        if (sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA user_version=1;", nullptr, nullptr,
                         &message) != SQLITE_OK) {
            error = QString::fromUtf8(message);
            sqlite3_free(message);
        }
    }
    sqlite3_close_v2(db);
    if (!error.isEmpty())
        throw EngineError(error);
}

void compactDatabase(const QString& source, const QString& destination) {
    if (QFileInfo::exists(destination) && QFileInfo(destination).size() > 0)
        throw EngineError(QStringLiteral("文件已经存在: ") + destination);
    Connection connection;
    connection.open(source);
    connection.execute(QStringLiteral("VACUUM INTO ?"),
                       {QFileInfo(destination).absoluteFilePath()});
    connection.close();
}

} // namespace kestrune::db

namespace kestrune::db {

namespace {

// The steps of one online backup, retried while another program holds the
// source locked for writing.
void copyPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(to)),
                          FailureOfResultCode(sqlite3_errcode(to)));
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < 100; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(100);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw EngineError(QString::fromUtf8(sqlite3_errstr(rc)), FailureOfResultCode(rc));
}

} // namespace

void backupDatabase(Connection& source, const QString& destination) {
    // The copy is put together in memory and written whole, so that a backup
    // cut short, even by the program being killed, leaves neither a partial
    // database nor its journal beside the target. An empty resizeable
    // in-memory file takes the pages in one block, which is then written
    // without another copy.
    sqlite3* copy = nullptr;
    try {
        if (sqlite3_open_v2(":memory:", &copy, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            sqlite3_deserialize(copy, "main", nullptr, 0, 0,
                                SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) !=
                SQLITE_OK)
            throw EngineError(QString::fromUtf8(sqlite3_errmsg(copy)),
                              FailureOfResultCode(sqlite3_errcode(copy)));
        copyPages(source.handle(), copy);
        sqlite3_int64 size = 0;
        const unsigned char* data = sqlite3_serialize(copy, "main", &size, SQLITE_SERIALIZE_NOCOPY);
        if (!data)
            throw EngineError(QStringLiteral("无法读出数据库内容"));
        replaceFileContents(
            QFileInfo(destination).absoluteFilePath(),
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (...) {
        sqlite3_close_v2(copy);
        throw;
    }
    sqlite3_close_v2(copy);
}

} // namespace kestrune::db
