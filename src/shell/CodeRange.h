#pragma once

#include <QString>
#include <optional>

namespace kestrune::shell {

// A range of unit codes as two digit-only edits give it (the delete and
// check dialogs): an empty edit counts as 0; a second number below the first
// becomes the first. Nothing when either is 0.
struct CodeRange {
    double from = 0;
    double to = 0;
    bool raised = false; // the second edit has to show the first edit's text
};

std::optional<CodeRange> ReadCodeRange(const QString& fromText, const QString& toText);

} // namespace kestrune::shell
