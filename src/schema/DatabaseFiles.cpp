#include "DatabaseFiles.h"

#include "Connection.h"
#include "EngineError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sqlite3.h>

namespace kestrune::db {

QByteArray readFileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("无法打开文件 %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

void replaceFileContents(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit())
        throw EngineError(QStringLiteral("无法写入文件 %1: %2").arg(path, file.errorString()));
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
    if (QFileInfo::exists(destination))
        throw EngineError(QStringLiteral("文件已经存在: ") + destination);
    Connection connection;
    connection.open(source);
    connection.execute(QStringLiteral("VACUUM INTO ?"),
                       {QFileInfo(destination).absoluteFilePath()});
    connection.close();
}

} // namespace kestrune::db
