#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>

namespace kestrune::cli {

// kestrune-cli groups export FILE.mdb | groups import FILE.mdb
// Copies the group tables of the installed database into FILE (created when
// missing, its old group tables replaced), or replaces the database's group
// tables by those of FILE, as the group list's "导  出" and "导  入" do; a
// table FILE lacks is reported and the rest imported. ".mdb" is appended as
// the dialogs append it. Exit status 0 when done, 2 for
// wrong arguments, a missing file or a copy that failed (nothing changed).
int runGroups(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
