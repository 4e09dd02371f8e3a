#pragma once

#include <QString>

namespace kestrune::shell {

// The folder that holds the program's own files: the database, the templates,
// the notes, "view.dll", the selection files and "temp.dat". It is the
// executable's folder, unless the environment variable KESTRUNE_HOME names
// another one (tests, and installed copies whose own folder is read-only).
QString programFolder();

// A file in the program folder.
QString programFile(const QString& name);

// The installed survey database.
QString defaultDatabasePath();

// The folder for reports and temporary files: the TEMP variable, else the
// system's temporary folder.
QString temporaryFolder();

inline const QString kDefaultDatabaseName = QStringLiteral("2020NB_jg_20200831.mdb");

} // namespace kestrune::shell
