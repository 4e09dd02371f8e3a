#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::testing {

// A record of an exchange file: its unit code and name.
struct SourceRecord {
    double code;
    QString name;
};

// How the file begins.
enum class FileStart {
    Scrambled,     // as the offline upload export leaves it
    LostSignature, // its first 16 bytes overwritten, beginning with 0x66
    Plain,         // a plain backup: no password, no scramble
};

// An exchange file as another installation writes it: the template
// "view.dll" with the records (state 1) and the label, protected by the
// database password, then its start changed as `start` says.
void WriteExchangeFile(const QString& path, const QString& label,
                       const std::vector<SourceRecord>& records,
                       FileStart start = FileStart::Scrambled);

// The same from every record of state 1 of a database: what the offline
// upload export copies.
void WriteExchangeFileFrom(db::Connection& records, const QString& path, const QString& label);

// Drops every view, so that the tables under them can change.
void DropViews(db::Connection& connection);

// Changes the file's record table with `sql` (run on the opened file, its
// views dropped first) and writes it back as it began.
void AlterExchangeFile(const QString& path, const QString& sql);

} // namespace kestrune::testing
