#pragma once

#include <QString>
#include <QStringList>

namespace kestrune::shell {

// The folder that holds the program's own files: the database, the templates,
// the notes, "view.dll", the selection files and "temp.dat".
// - KESTRUNE_HOME, when set, names it (tests, several databases side by side);
// - otherwise it is the executable's folder when that holds the database
//   (a build folder, a copy unpacked into one folder);
// - otherwise, when the package's files lie in ../share/kestrune beside the
//   executable (an installed copy, whose folders the person cannot write), it
//   is the person's application data folder (userProgramFolder);
// - otherwise the executable's folder, where start-up then reports the
//   missing database.
QString programFolder();

// The program folder for an executable in executableFolder when KESTRUNE_HOME
// is not set.
QString programFolderFor(const QString& executableFolder);

// The installed copy's files shipped with the package: ../share/kestrune
// beside the executable's folder.
QString packageFilesFor(const QString& executableFolder);

// The person's own program folder of an installed copy: the platform's
// application data folder (~/.local/share/Brenvatik/Kestrune on Linux).
QString userProgramFolder();

// For an installed copy: creates the person's program folder and fills in
// what it lacks from the package's files (SeedProgramFolder). Does nothing
// when the program folder is not the person's folder. Returns the files that
// could not be copied.
QStringList PrepareProgramFolder();

// A file in the program folder.
QString programFile(const QString& name);

// The installed survey database.
QString defaultDatabasePath();

// The folder for reports and temporary files: the TEMP variable, else the
// system's temporary folder.
QString temporaryFolder();

inline const QString kDefaultDatabaseName = QStringLiteral("2020NB_jg_20200831.mdb");

} // namespace kestrune::shell
