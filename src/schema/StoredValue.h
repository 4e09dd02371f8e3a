#pragma once

#include <QByteArrayView>
#include <QtGlobal>

struct sqlite3_value;

namespace kestrune::db {

// One column of the row a statement stands on, as the file stores it, for
// scans over many columns of many rows: its kind and number are read in the
// one call that fetches it, without the connection's lock (safe as the
// program reaches each database from one thread only). Valid until the
// statement steps again.
class StoredValue {
public:
    enum class Kind { Integer = 1, Real = 2, Text = 3, Blob = 4, Null = 5 };

    Kind kind() const { return kind_; }
    // The number of an Integer (or of a Real, cut to a whole number).
    qint64 toInt64() const { return kind_ == Kind::Integer ? whole_ : storedInt64(); }
    // The number of a Real or an Integer.
    double toDouble() const {
        return kind_ == Kind::Real      ? real_
               : kind_ == Kind::Integer ? double(whole_)
                                        : storedDouble();
    }
    // The text's UTF-8 bytes, without a terminating zero.
    QByteArrayView utf8() const;
    // The number as the database layer reads one: a null is 0, a text is read
    // with the blanks around it ignored, and a text that is no number is 0.
    double toNumber() const;

private:
    friend class Statement;
    explicit StoredValue(sqlite3_value* value);
    qint64 storedInt64() const;
    double storedDouble() const;

    sqlite3_value* value_;
    Kind kind_;
    qint64 whole_ = 0;
    double real_ = 0;
};

} // namespace kestrune::db
