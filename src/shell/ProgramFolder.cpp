#include "ProgramFolder.h"

#include "ProgramFolderSeed.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kestrune::shell {

namespace {

QString executableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (early in main): the running executable.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

bool holdsDatabase(const QString& folder) {
    return QFileInfo::exists(QDir(folder).filePath(kDefaultDatabaseName));
}

bool isInstalledCopy(const QString& executableFolder) {
    return !holdsDatabase(executableFolder) && holdsDatabase(packageFilesFor(executableFolder));
}

} // namespace

QString programFolder() {
    const QString home = qEnvironmentVariable("KESTRUNE_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    return programFolderFor(executableFolder());
}

QString programFolderFor(const QString& executableFolder) {
    return isInstalledCopy(executableFolder) ? userProgramFolder() : executableFolder;
}

QString packageFilesFor(const QString& executableFolder) {
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral("../share/kestrune")));
}

QString userProgramFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QStringList PrepareProgramFolder() {
    if (!qEnvironmentVariableIsEmpty("KESTRUNE_HOME"))
        return {};
    const QString executable = executableFolder();
    if (!isInstalledCopy(executable))
        return {};
    return SeedProgramFolder(packageFilesFor(executable), userProgramFolder()).failed;
}

QString programFile(const QString& name) {
    return QDir(programFolder()).filePath(name);
}

QString temporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

QString defaultDatabasePath() {
    return programFile(kDefaultDatabaseName);
}

} // namespace kestrune::shell
