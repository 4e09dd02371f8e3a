#include "TestEnvironment.h"

#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace kestrune::testing {

TestEnvironment::TestEnvironment()
    : oldHome_(qgetenv("KESTRUNE_HOME")), oldSettings_(qgetenv("KESTRUNE_SETTINGS_DIR")) {
    QDir(dir_.path()).mkpath(QStringLiteral("program"));
    QDir(dir_.path()).mkpath(QStringLiteral("settings"));
    qputenv("KESTRUNE_HOME", programFolder().toUtf8());
    qputenv("KESTRUNE_SETTINGS_DIR", settingsFolder().toUtf8());
}

TestEnvironment::~TestEnvironment() {
    qputenv("KESTRUNE_HOME", oldHome_);
    qputenv("KESTRUNE_SETTINGS_DIR", oldSettings_);
}

QString TestEnvironment::programFolder() const {
    return dir_.filePath(QStringLiteral("program"));
}
QString TestEnvironment::settingsFolder() const {
    return dir_.filePath(QStringLiteral("settings"));
}
QString TestEnvironment::path(const QString& name) const {
    return QDir(programFolder()).filePath(name);
}

QString TestEnvironment::installDatabase() const {
    const QString target = path(shell::kDefaultDatabaseName);
    QFile::remove(target);
    if (!QFile::copy(builtProgramFile(shell::kDefaultDatabaseName), target))
        throw std::runtime_error("the built database is missing");
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString builtProgramFile(const QString& name) {
    return QDir(QStringLiteral(KESTRUNE_BUILT_PROGRAM_DIR)).filePath(name);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace kestrune::testing
