#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

struct sqlite3;
struct sqlite3_stmt;

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

// A prepared statement with its values bound; finalised on destruction.
class Statement {
public:
    // Positional values fill the `?` placeholders in order; `:name`
    // placeholders take their value from `named`.
    Statement(const ConnectionCore& core, const QString& sql, const QVariantList& params,
              const QVariantMap& named = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Steps once; true while a row is available.
    bool step();
    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    QVariant value(int i) const;
    double doubleValue(int i) const;
    QString text(int i) const;
    bool isNull(int i) const;
    bool isNumber(int i) const;

private:
    void bind(const QVariantList& params, const QVariantMap& named);
    void bindValue(int slot, const QVariant& v);

    const ConnectionCore& core_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace kestrune::db
