#include "ProgramFolderSeed.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace kestrune::shell {

namespace {

// Writes a copy of source beside target under a temporary name, with the
// source's modification time. Empty when that failed.
QString writeCopyBeside(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QFileInfo info(target);
    QTemporaryFile out(info.dir().filePath(QStringLiteral("~seed-%1-XXXXXX").arg(info.fileName())));
    out.setAutoRemove(false);
    if (!out.open())
        return {};
    bool written = true;
    while (written && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        written = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    written = written && out.flush() &&
              out.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    out.close();
    if (!written) {
        out.remove();
        return {};
    }
    return out.fileName();
}

// Puts a missing file in place; QFile::rename never replaces an existing file.
bool placeMissing(const QString& copy, const QString& target) {
    if (QFile::rename(copy, target))
        return true;
    QFile::remove(copy);
    return false;
}

bool replaceWith(const QString& copy, const QString& target) {
    std::error_code error;
    std::filesystem::rename(copy.toStdString(), target.toStdString(), error);
    if (!error)
        return true;
    QFile::remove(copy);
    return false;
}

bool packageIsNewer(const QString& source, const QString& target) {
    return QFileInfo(source).lastModified() > QFileInfo(target).lastModified();
}

} // namespace

SeedRule SeedRuleFor(const QString& relativePath) {
    static const QStringList followPackage = {QStringLiteral("2020打印表.xlt"),
                                              QStringLiteral("view.dll")};
    if (followPackage.contains(relativePath) || relativePath.startsWith(QLatin1String("notes/")))
        return SeedRule::FollowPackage;
    return SeedRule::KeepPersonsCopy;
}

SeedOutcome SeedProgramFolder(const QString& packageFolder, const QString& programFolder) {
    SeedOutcome outcome;
    const QDir package(packageFolder);
    const QDir program(programFolder);
    QDirIterator files(packageFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString name = package.relativeFilePath(source);
        const QString target = program.filePath(name);
        const bool exists = QFileInfo::exists(target);
        if (exists &&
            (SeedRuleFor(name) == SeedRule::KeepPersonsCopy || !packageIsNewer(source, target)))
            continue;
        QDir().mkpath(QFileInfo(target).path());
        const QString copy = writeCopyBeside(source, target);
        if (copy.isEmpty()) {
            outcome.failed << name;
        } else if (!exists) {
            if (placeMissing(copy, target))
                outcome.copied << name;
            else if (!QFileInfo::exists(target))
                outcome.failed << name;
            // Otherwise another program seeded it at the same moment: its copy stays.
        } else if (replaceWith(copy, target)) {
            outcome.refreshed << name;
        } else {
            outcome.failed << name;
        }
    }
    return outcome;
}

} // namespace kestrune::shell
