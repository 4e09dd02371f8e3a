#include "FuzzStage.h"

#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
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

FuzzStage::FuzzStage() {
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
}

QString FuzzStage::file(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

} // namespace kestrune::fuzz
