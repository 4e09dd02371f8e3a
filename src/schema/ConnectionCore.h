#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

struct sqlite3;

namespace kestrune::db {

// The open SQLite handle, shared by a connection and the datasets opened on it,
// so that a dataset can re-query and post while its connection lives.
class ConnectionCore {
public:
    ~ConnectionCore();

    sqlite3* handle = nullptr;
    QString path;              // file the connection was opened on
    QString protectedPassword; // non-empty when the file is a protected container
    // Databases the engine works in straight from memory that is not its
    // own, by schema name: held here so that the bytes outlive every statement.
    QHash<QString, QByteArray> heldImages;

    void closeHandle();
    sqlite3* requireOpen() const;
    [[noreturn]] void fail(const QString& context = {}) const;
};

} // namespace kestrune::db
