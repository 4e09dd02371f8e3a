#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace kestrune::workbook {

// One part of a zip package whose middle is read from a file when the
// package is written: `head`, the bytes of `bodyFile` (if any), `tail`.
struct SpooledPart {
    std::string name;
    QByteArray head;
    QString bodyFile;
    QByteArray tail;
};

// Writes the zip archive of `parts` to `path`, deflated at the fastest level
// (a list of 100,000 rows is mostly the same few tags); the bodies are read
// in pieces, never whole. WorkbookError when it cannot be written.
void WriteSpooledPackage(const QString& path, const std::vector<SpooledPart>& parts);

} // namespace kestrune::workbook
