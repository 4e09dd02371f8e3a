#pragma once

#include "shell/ConsoleInteraction.h"

#include <QStringList>
#include <QTextStream>
#include <vector>

namespace kestrune::cli {

// One subcommand of kestrune-cli. A command returns the process exit code.
struct CliCommand {
    QString name;
    QString arguments; // e.g. "FILE"
    QString summary;
    int (*run)(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);
};

// Every command, in the order --help lists them.
const std::vector<CliCommand>& commands();

// Parses the global options, runs the named command and returns its exit code.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

int runInfo(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);
int runBackup(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);
int runCompact(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out);

} // namespace kestrune::cli
