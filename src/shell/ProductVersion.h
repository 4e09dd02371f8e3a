#pragma once

#include <QString>
#include <optional>

namespace kestrune::shell {

// The program's own version. It stands in for the executable's version
// resource: the build's project version is its "FileVersion".
struct TProductVersion {
    QString productVersion;
    int buildNumber = -1; // -1: no version at all; 0: no "FileVersion"
};

// The digits after the last "." of a file version ("1.1.1.103" -> 103).
int BuildNumberOf(const QString& fileVersion);

// No version resource gives -1; a resource without a file version gives 0.
TProductVersion ReadProductVersion(const std::optional<QString>& fileVersion);

// This build's version.
TProductVersion ProgramVersion();

// "开发单位：Brenvatik　软件版本：1.0 (Build 103)"; the gap is one full-width space.
QString VersionPaneText(int buildNumber);

// "版本：1.0 (Build 103)", as the About box shows it.
QString AboutVersionText(int buildNumber);

} // namespace kestrune::shell
