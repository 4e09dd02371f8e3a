#pragma once

#include "CliCommand.h"

#include <QString>

namespace kestrune::cli {

// "kestrune-cli (Kestrune) 1.0.0.1", the first line of --version.
QString versionText();

// The texts of `kestrune-cli --help` and `kestrune-cli COMMAND --help`, in
// the GNU layout, lines wrapped at 79 columns.
QString programHelpText();
QString commandHelpText(const CliCommand& command);

// The manual page kestrune-cli(1) in roff, from the same texts.
QString manPage();

} // namespace kestrune::cli
