#pragma once

#include <QByteArray>
#include <QString>

namespace kestrune::db {

// The whole file; an error names the file.
QByteArray readFileContents(const QString& path);

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so the target holds either its old or its new contents.
void replaceFileContents(const QString& path, const QByteArray& contents);

// Makes a new, empty database file; an existing file is an error.
void createDatabase(const QString& path);

// Writes a compacted copy of a plain database file; the destination must not
// exist. The source is left as it is.
void compactDatabase(const QString& source, const QString& destination);

} // namespace kestrune::db
