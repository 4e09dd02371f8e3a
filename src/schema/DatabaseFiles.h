#pragma once

#include "EngineError.h"

#include <QByteArray>
#include <QString>

namespace kestrune::db {

class Connection;

// The whole file; an error names the file.
QByteArray readFileContents(const QString& path);

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so the target holds either its old or its new contents.
void replaceFileContents(const QString& path, const QByteArray& contents);

// Why writing `size` bytes to `path` failed: the folder or file is not
// writable, the disk lacks the space, or something else.
EngineFailure WriteFailure(const QString& path, qint64 size);

// Makes a new, empty database file; an existing file is an error.
void createDatabase(const QString& path);

// Writes a compacted copy of a plain database file; the destination must not
// exist or be empty. The source is left as it is.
void compactDatabase(const QString& source, const QString& destination);

// Copies the database of an open connection to `destination` as it stands
// at one moment (SQLite's online backup into memory), even while other
// programs write to it; the destination is replaced atomically and no
// partial copy is ever left beside it.
void backupDatabase(Connection& source, const QString& destination);

} // namespace kestrune::db
