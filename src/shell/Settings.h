#pragma once

#include "Registry.h"

#include <QString>

namespace kestrune::shell {

inline const QString kCompanyKey = QStringLiteral("\\SOFTWARE\\Brenvatik\\");
inline const QString kProductName = QStringLiteral("Kestrune");
inline const QString kProductKey = kCompanyKey + kProductName;
inline const QString kEnvSettingKey = kProductKey + QStringLiteral("\\Options\\EnvSetting");
inline const QString kDataKey = kProductKey + QStringLiteral("\\Data");
inline const QString kShellFoldersKey =
    QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");

// The settings the program keeps in memory while it runs.
struct EnvSettings {
    QString imePrefer;            // preferred input method name
    int inputWndStyle = 0;        // 0 "传统", 1 "简约"
    bool importPrinciple = false; // false: "有错就全部放弃" (at every start)
};

// Reads the settings at start-up. While "Version" is missing (reads "000"),
// the five defaults are written, and "Version" with them, so that they are
// written once: later starts read the options the person chose.
EnvSettings InitSettings(const QString& product = kProductName);

// The "Version" the first start writes: this build's version.
QString InstalledVersionText();

// The folder save and open dialogs start in: the stored "Personal" value of
// the user's shell folders where there is one, else the platform's documents folder.
QString documentsFolder();

} // namespace kestrune::shell
