#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <vector>

namespace kestrune::db {

class ConnectionCore;

enum class ColumnType { Unknown, Integer, Float, Text, Blob };
enum class DatasetState { Browse, Edit, Insert };

// Identifies a row of a dataset for as long as the dataset is not re-queried;
// it survives client-side sorting.
using Bookmark = qint64;
constexpr Bookmark kNoBookmark = -1;

// A value read from a dataset column, convertible the ways the forms read it.
class Field {
public:
    explicit Field(QVariant value) : value_(std::move(value)) {}
    bool isNull() const { return value_.isNull(); }
    QString asText() const;
    qint64 asInteger() const;
    double asFloat() const;
    const QVariant& asVariant() const { return value_; }

private:
    QVariant value_;
};

// Plain text of a value as the forms show it: whole-valued floats without a
// fraction or exponent, null as empty text.
QString valueText(const QVariant& value);

// A static snapshot of a statement's rows with a current position, as a
// client-side cursor: moving, bookmarks and sorting never touch the database;
// requery() takes a new snapshot; post() writes the current row through the
// write target (a table or a view with INSTEAD OF triggers).
class Dataset {
public:
    Dataset();
    Dataset(std::shared_ptr<ConnectionCore> core, QString sql, QVariantList params);
    ~Dataset();
    Dataset(Dataset&&) noexcept;
    Dataset& operator=(Dataset&&) noexcept;

    bool isOpen() const;
    void close();
    void requery();
    // Values for `:name` placeholders; used at the next requery().
    void setParameter(const QString& name, const QVariant& value);

    int recordCount() const;
    bool isEmpty() const;
    bool bof() const;
    bool eof() const;
    void first();
    void next();
    void prior();
    void last();
    // 0-based position of the current row in the current order; -1 when empty.
    int position() const;
    void moveTo(int position);

    Bookmark bookmark() const;
    bool moveToBookmark(Bookmark bookmark);
    // Moves to the first row whose column equals the value; false leaves the
    // position unchanged.
    bool locate(const QString& column, const QVariant& value);

    int columnCount() const;
    QString columnName(int column) const;
    ColumnType columnType(int column) const;
    int columnIndex(const QString& name) const; // -1 when absent; case-insensitive
    QStringList columnNames() const;

    Field field(const QString& name) const;
    QVariant value(const QString& name) const;
    QVariant value(int column) const;

    // "<column> ASC" or "<column> DESC"; an empty text restores query order.
    void sort(const QString& spec);
    QString sortSpec() const;

    void setWriteTarget(const QString& table, const QString& keyColumn);
    DatasetState state() const;
    void edit();
    void append();
    void setValue(const QString& name, const QVariant& value);
    void post();
    void cancel();
    void deleteRow();

private:
    struct Data;
    int internalIndex(const QString& name) const;
    const std::vector<QVariant>& currentRow() const;
    std::unique_ptr<Data> d_;
};

} // namespace kestrune::db
