#include "FuzzStage.h"

#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace kestrune::fuzz {

QString BuiltFile(const QString& name) {
    return QDir(QStringLiteral(KESTRUNE_BUILT_PROGRAM_DIR)).filePath(name);
}

QByteArray ReadWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fprintf(stderr, "cannot read %s\n", qPrintable(path));
        abort();
    }
    return file.readAll();
}

void WriteWhole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
        abort();
    }
}

namespace {

QString stageTemplate() {
    const QDir shm(QStringLiteral("/dev/shm"));
    return shm.exists() && QFileInfo(shm.path()).isWritable()
               ? shm.filePath(QStringLiteral("kestrune-fuzz-XXXXXX"))
               : QDir::temp().filePath(QStringLiteral("kestrune-fuzz-XXXXXX"));
}

} // namespace

FuzzStage::FuzzStage() : dir_(stageTemplate()) {
    QDir(dir_.path()).mkpath(QStringLiteral("program"));
    QDir(dir_.path()).mkpath(QStringLiteral("temp"));
    qputenv("KESTRUNE_HOME", file(QStringLiteral("program")).toUtf8());
    qputenv("TEMP", file(QStringLiteral("temp")).toUtf8());
    working_ = file(QStringLiteral("program/") + shell::kDefaultDatabaseName);
    WriteWhole(working_, ReadWhole(BuiltFile(shell::kDefaultDatabaseName)));
    db::ProtectedFile::removePassword(working_, db::databasePassword());
    {
        db::Connection connection;
        connection.open(working_);
        connection.execute(QStringLiteral("insert into dt_data (c901, c902, RecordState) values "
                                          "(110101000001, '甲', 1), (110101000002, '乙', 1)"));
    }
    workingBytes_ = ReadWhole(working_);
    connection_.open(working_);
}

bool FuzzStage::workingUnchanged() const {
    return !QFile::exists(working_ + QStringLiteral("-journal")) &&
           ReadWhole(working_) == workingBytes_;
}

void FuzzStage::restoreWorking() {
    connection_.close();
    QFile::remove(working_ + QStringLiteral("-journal"));
    WriteWhole(working_, workingBytes_);
    connection_.open(working_);
}

QString FuzzStage::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

} // namespace kestrune::fuzz
