#pragma once

#include "StoredValue.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

struct sqlite3_stmt;

namespace kestrune::db {

class Connection;
class ConnectionCore;

// The one prepared statement of the program: values bound by slot (counted
// from 1 as the placeholders stand in the text) or by `:name`, stepped row by
// row, columns read by index. A value stays bound until it is bound again, so a
// statement prepared once runs many times with only the changed values bound.
//
// Binding: a QVariant without a value (and a null of any type) binds as NULL;
// a text binds as text, an empty text as '' (never as NULL), so that a box
// emptied by the person is stored as the empty text it shows.
//
// The statement must not outlive its connection. Failures throw EngineError.
class Statement {
public:
    // Prepared to be run many times (one per record of a bulk write or a scan).
    Statement(Connection& connection, const QString& sql);
    // Prepared and bound at once: `params` fill the `?` placeholders in order,
    // `named` the `:name` ones; every placeholder must get a value.
    Statement(const ConnectionCore& core, const QString& sql, const QVariantList& params = {},
              const QVariantMap& named = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int parameterCount() const;
    // Every placeholder at once, as the constructor that binds does.
    void bindAll(const QVariantList& params, const QVariantMap& named = {});
    void bind(int slot, const QVariant& value);
    // `name` with or without its leading ':'.
    void bind(const QString& name, const QVariant& value);
    void bindNull(int slot);
    void bindInteger(int slot, qint64 value);
    void bindReal(int slot, double value);
    void bindText(int slot, const QString& value);

    // Steps once; true while a row is available.
    bool step();
    // Runs the statement to its end and makes it ready for the next values,
    // also when it fails (a duplicate key, say); returns the number of rows changed.
    int execute();
    // Makes the statement ready to run again from its first row.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    // The column as stored: qlonglong, double, QString, QByteArray or no value.
    QVariant value(int column) const;
    qint64 int64(int column) const;
    double doubleValue(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;
    bool isNumber(int column) const;
    // The raw path for scans over many columns of many rows: one call per
    // column, the value then read without the connection's lock. Valid until
    // the next step.
    StoredValue stored(int column) const;

private:
    void prepare(const QString& sql, unsigned flags);
    void check(int resultCode) const;

    const ConnectionCore& core_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace kestrune::db
