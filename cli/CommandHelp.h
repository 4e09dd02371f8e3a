#pragma once

#include <QString>
#include <vector>

namespace kestrune::cli {

struct OptionHelp {
    QString option; // "--range FROM TO"
    QString meaning;
};

struct ExitStatusHelp {
    int code;
    QString meaning;
};

// What `kestrune-cli COMMAND --help` and the manual page say of a command
// beyond its one-line summary.
struct CommandHelp {
    QString description;
    std::vector<OptionHelp> options;
    std::vector<ExitStatusHelp> exitStatus;
};

// The help of the command named; a command without its own help text gets
// the exit status every command shares.
CommandHelp helpFor(const QString& command);

// The program's own options and exit status, for `kestrune-cli --help`.
const std::vector<OptionHelp>& programOptions();
const std::vector<ExitStatusHelp>& programExitStatus();

} // namespace kestrune::cli
