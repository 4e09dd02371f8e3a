#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace kestrune::workbook {

// The parts of a zip package in their order, named by their path inside it
// ("xl/workbook.xml").
struct PackagePart {
    std::string name;
    QByteArray bytes;
};
using PackageParts = std::vector<PackagePart>;

// Every part of the zip file at `path`; WorkbookError when it cannot be read
// or is no zip archive.
PackageParts ReadZipPackage(const QString& path);
// The zip archive holding `parts`, deflated, built in memory.
QByteArray WriteZipPackage(const PackageParts& parts);

} // namespace kestrune::workbook
