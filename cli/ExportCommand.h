#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli export --offline --label TEXT --out FILE.dat
// kestrune-cli export --online --out FILE.dat
// Writes the offline exchange file under the label, or the encrypted online
// upload file, as the window's two upload commands do, to FILE (".dat"
// appended as the save dialog's name rule says) and prints its path. Exit 0
// when written, 1 when the records may not be reported yet (temporarily
// saved or with logic errors) or the label is the default one, 2 for wrong
// arguments or a file that could not be written.
int runExport(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
