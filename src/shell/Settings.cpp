#include "Settings.h"

#include "ProductVersion.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace kestrune::shell {

EnvSettings InitSettings(const QString& product) {
    const QString productKey = kCompanyKey + product;
    const QString envKey = productKey + QStringLiteral("\\Options\\EnvSetting");
    EnvSettings settings;
    const QString version = ReadRegText(QStringLiteral("Version"), QStringLiteral("000"),
                                        RegistryRoot::LocalMachine, productKey);
    if (version != QLatin1String("000")) {
        settings.imePrefer =
            ReadRegText(QStringLiteral("ImePrefer"), QString(), RegistryRoot::LocalMachine, envKey);
        settings.inputWndStyle = ReadRegInteger(QStringLiteral("InputWndStyle"), 0,
                                                RegistryRoot::LocalMachine, envKey) != 0
                                     ? 1
                                     : 0;
        // The options dialog stores the import handling too; it is shown as stored.
        settings.importPrinciple = ReadRegInteger(QStringLiteral("ImportPrinciple"), 0,
                                                  RegistryRoot::LocalMachine, envKey) != 0;
        return settings;
    }
    WriteRegText(QStringLiteral("ServicePack"), QStringLiteral("None"), RegistryRoot::LocalMachine,
                 productKey);
    WriteRegText(QStringLiteral("FilePath"),
                 QDir::toNativeSeparators(programFolder()) + QDir::separator(),
                 RegistryRoot::LocalMachine, productKey);
    WriteRegInteger(QStringLiteral("AppTyp"), 1, RegistryRoot::LocalMachine, productKey);
    WriteRegText(QStringLiteral("ImePrefer"), QString(), RegistryRoot::LocalMachine, envKey);
    WriteRegInteger(QStringLiteral("InputWndStyle"), 0, RegistryRoot::LocalMachine, envKey);
    // On Windows the installer wrote the version; without it every start
    // would write the defaults again over the person's options.
    WriteRegText(QStringLiteral("Version"), InstalledVersionText(), RegistryRoot::LocalMachine,
                 productKey);
    return settings;
}

QString InstalledVersionText() {
    const QString version = ProgramVersion().productVersion;
    return version.isEmpty() ? QStringLiteral("1.0") : version;
}

QString documentsFolder() {
    const QString stored = ReadRegText(QStringLiteral("Personal"), QString(),
                                       RegistryRoot::CurrentUser, kShellFoldersKey);
    if (!stored.isEmpty())
        return stored;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace kestrune::shell
