#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kestrune::shell {

QString programFolder() {
    const QString home = qEnvironmentVariable("KESTRUNE_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (early in main): the running executable.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
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
