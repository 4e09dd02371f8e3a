#pragma once

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

    void closeHandle();
    sqlite3* requireOpen() const;
    [[noreturn]] void fail(const QString& context = {}) const;
};

} // namespace kestrune::db
