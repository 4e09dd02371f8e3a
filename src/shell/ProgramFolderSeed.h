#pragma once

#include <QString>
#include <QStringList>

namespace kestrune::shell {

// What seeding a program folder did, as paths relative to the folders.
struct SeedOutcome {
    QStringList copied;    // missing in the program folder, copied in
    QStringList refreshed; // replaced by the package's newer copy
    QStringList failed;    // could not be copied
};

// Whether a file of the program folder is the person's or the package's.
enum class SeedRule {
    // Copied only while the program folder has none: the survey database (it
    // holds the person's records from the first start on), the summary
    // template and the list export's table list (the person may edit them),
    // and anything else not named below.
    KeepPersonsCopy,
    // Also replaced when the package's copy is newer: the print template and
    // the page notes, which follow the field catalogue, and the exchange
    // template "view.dll", which follows the database layout. An old copy
    // would print values beside the wrong captions or write exchange files
    // of an old layout.
    FollowPackage,
};

// The rule for a file named by its path relative to the program folder.
SeedRule SeedRuleFor(const QString& relativePath);

// Copies every file of packageFolder (subfolders included) that
// programFolder lacks, and replaces those that follow the package when the
// package's copy was modified later. A copy is written under a temporary
// name beside its target and renamed into place whole, carrying the
// package file's modification time; a file that appears under the target
// name meanwhile (another program seeding at the same moment) is never
// overwritten. Creates programFolder when needed.
SeedOutcome SeedProgramFolder(const QString& packageFolder, const QString& programFolder);

} // namespace kestrune::shell
