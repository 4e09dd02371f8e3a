#pragma once

#include "Dataset.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;

namespace kestrune::db {

class ConnectionCore;
class Statement;

// One connection to a database file. Opening verifies that the file is a
// database, so a protected or damaged file fails here rather than at the first
// statement. Values always travel as bound parameters (`?` in the text).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;

    // Opens a plain database file for reading and writing; never creates one.
    void open(const QString& path);
    // Opens a protected container: decrypts it into memory; saveProtected()
    // writes the changes back.
    void openProtected(const QString& path, const QString& password);
    void saveProtected();
    // Opens a database held in memory: `image` is the bytes of a database
    // file, which no file on disk ever sees changed.
    void openImage(const QByteArray& image);
    // The same for reading only, without copying: the engine reads `image`
    // where it lies (the connection keeps a shared reference to it), so a
    // large file costs no second copy. Any write fails as read-only.
    void openImageReadOnly(const QByteArray& image);
    // The bytes of the database's file as they stand, an in-memory
    // database's too.
    QByteArray image();
    void close();
    bool isOpen() const;
    bool isProtected() const;
    QString path() const;

    // Runs a statement that returns no rows; returns the number of rows changed.
    int execute(const QString& sql, const QVariantList& params = {});
    // Runs several statements separated by semicolons, without parameters.
    void executeScript(const QString& sql);
    Dataset query(const QString& sql, const QVariantList& params = {});
    // Streams the rows of a statement to `visit` without keeping them, for
    // reads of many rows where a dataset's snapshot would cost too much.
    void forEachRow(const QString& sql, const QVariantList& params,
                    const std::function<void(const Statement& row)>& visit);
    // A dataset not yet opened, for values of `:name` placeholders to be set
    // before its first requery().
    Dataset prepare(const QString& sql);
    // Every row of a table or view, writable through the dataset.
    Dataset openTable(const QString& table);
    // The first column of the first row, or a null value when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    QStringList tableNames();
    bool hasTable(const QString& name);

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const;

    // Reaches another database file under a schema name, so that one statement
    // can copy between files (INSERT INTO x SELECT * FROM other.x).
    void attach(const QString& path, const QString& schema);
    void attachProtected(const QString& path, const QString& schema, const QString& password);
    // Reaches a database given as the bytes of its file, in memory.
    void attachImage(const QByteArray& image, const QString& schema);
    // The same, taking the bytes over: the engine works in them where they
    // lie, so a large file costs no second copy (they are copied only while
    // someone else still shares them, so nobody else ever sees them change).
    // Unlike a read-only image, it can take part in a write transaction
    // (BEGIN IMMEDIATE reserves every attached database).
    void attachImage(QByteArray&& image, const QString& schema);
    void detach(const QString& schema);
    // Writes an attached protected file's changes back to its container.
    void saveAttachedProtected(const QString& schema, const QString& path, const QString& password);

    // How long a statement waits for another program's lock on the file
    // before it fails as busy.
    static constexpr int kDefaultBusyTimeout = 5000;
    void setBusyTimeout(int milliseconds);

    qint64 lastInsertRowId() const;

private:
    // The SQLite handle stays inside the engine layer: statements and the
    // online backup reach it, nothing above them does.
    friend class Statement;
    friend void backupDatabase(Connection& source, const QString& destination);
    sqlite3* handle() const;
    const ConnectionCore& core() const; // throws when the connection is not open

    // Takes over a freshly opened handle; closes it again if it is no database.
    void adopt(std::shared_ptr<ConnectionCore> core);
    void configure();
    void requireCore() const;
    std::shared_ptr<ConnectionCore> core_;
};

} // namespace kestrune::db
