#include "ImportSource.h"

#include "ExchangeFileError.h"
#include "ExchangeHeader.h"
#include "TableColumns.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/DerivedKeys.h"
#include "schema/EngineError.h"
#include "schema/ProtectedFile.h"
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrune::exchange {

namespace {

const QChar kQuote = QLatin1Char('"');

const QByteArray kPlainSignature("SQLite format 3\0", 16);

// Files that need no restoring: a protected container begins with 0x00, a
// plain database (a backup) with the engine's own signature.
bool beginsAsEngineFile(const QByteArray& start) {
    return start.isEmpty() || start.at(0) == 0 || start == kPlainSignature;
}

// The file's bytes as the engine should see them. The chosen file is read
// once and never written: a scrambled start is restored in the bytes read,
// which are the working copy. A "temp.dat" left in the program folder by an
// earlier import is removed, as making the working copy there would replace
// it, so no copy of another unit's records outlives the import.
QByteArray readRestored(const QString& chosenPath) {
    QByteArray bytes = db::readFileContents(chosenPath);
    if (beginsAsEngineFile(bytes.left(kPlainSignature.size())))
        return bytes;
    QFile::remove(WorkingCopyPath());
    RestoreHeaderBytes(bytes);
    return bytes;
}

// Opens the bytes plain, else as a protected file under the database
// password, both read where they lie; returns the plain database's bytes, or
// nothing when neither opens.
std::optional<QByteArray> openSource(db::Connection& source, const QByteArray& bytes) {
    try {
        source.openImageReadOnly(bytes);
        return bytes;
    } catch (const db::EngineError&) {
    }
    try {
        QByteArray plain = db::ProtectedFile::unseal(bytes, db::databasePassword());
        source.openImageReadOnly(plain);
        return plain;
    } catch (const db::EngineError&) {
        return std::nullopt;
    }
}

} // namespace

QString MissingTableInFileMessage(const QString& table) {
    return QStringLiteral("您选择的文件中不存在名字为") + kQuote + table + kQuote +
           QStringLiteral("的数据表");
}

QString MissingTableInSystemMessage(const QString& table) {
    return QStringLiteral("系统中不存在名字为") + kQuote + table + kQuote +
           QStringLiteral("的数据表");
}

QString WorkingCopyPath() {
    const QFileInfo program(shell::programFolder());
    const QString folder = program.isDir() && program.isWritable() ? program.absoluteFilePath()
                                                                   : shell::temporaryFolder();
    return QDir(folder).filePath(kWorkingCopyName);
}

ReadSourceResult ReadImportSource(const QString& chosenPath, db::Connection& working) {
    ReadSourceResult result;
    if (!QFileInfo(chosenPath).isFile()) {
        result.refusal.message = kImportFileMissing;
        return result;
    }
    try {
        ImportSource source;
        source.chosenPath = chosenPath;
        db::Connection file;
        std::optional<QByteArray> image = openSource(file, readRestored(chosenPath));
        if (!image) {
            result.refusal.message = kImportFileUnreadable;
            return result;
        }
        if (!file.hasTable(kImportTable)) {
            result.refusal.message = MissingTableInFileMessage(kImportTable);
            return result;
        }
        if (!working.hasTable(kImportTable)) {
            result.refusal.message = MissingTableInSystemMessage(kImportTable);
            return result;
        }
        source.columns = TableColumns(file, kImportTable);
        if (!SameColumnNames(source.columns, TableColumns(working, kImportTable))) {
            result.refusal.message = kImportFormatError;
            return result;
        }
        source.label =
            file.scalar(QStringLiteral("select db_name from ct_label limit 1")).toString();
        file.close();
        source.image = std::move(*image);
        result.source = std::move(source);
    } catch (const db::EngineError& e) {
        result.refusal = {e.text(), true};
    } catch (const ExchangeFileError& e) {
        result.refusal = {e.text(), true};
    } catch (const std::exception& e) {
        result.refusal = {QString::fromLocal8Bit(e.what()), true};
    }
    return result;
}

} // namespace kestrune::exchange
