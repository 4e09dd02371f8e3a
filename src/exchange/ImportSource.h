#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::exchange {

// The table the data import fills, and the working table its conflict search
// fills with the records whose unit codes clash.
inline const QString kImportTable = QStringLiteral("dt_data");
inline const QString kImportConflictTable = QStringLiteral("dt_data_dt_data");

inline const QString kImportFileMissing = QStringLiteral("您选择的文件并不存在，请选择其它文件。");
inline const QString kImportFileUnreadable = QStringLiteral("文件格式错误,请重新选择！");
inline const QString kImportFormatError = QStringLiteral("导入文件格式错误");
inline const QString kImportErrorAdvice = QStringLiteral("请与软件发行者联系。");
// The working copy that a scrambled file is restored in.
inline const QString kWorkingCopyName = QStringLiteral("temp.dat");

// "您选择的文件中不存在名字为"dt_data"的数据表" and its twin for the working database.
QString MissingTableInFileMessage(const QString& table);
QString MissingTableInSystemMessage(const QString& table);

// A chosen file made ready for the import: the plain database it holds, in
// memory, its label and the names of its records' columns.
struct ImportSource {
    QString chosenPath;
    QByteArray image;
    QString label;
    QStringList columns;
};

// Why a chosen file cannot be imported: the message to show, exactly.
struct ImportRefusal {
    QString message;
    bool runtimeError = false; // shown as "运行中发生错误：" + message + advice
};

// Where a scrambled file is restored: "temp.dat" in the program folder, or in
// the temporary folder while the program folder cannot be written.
QString WorkingCopyPath();

// Reads a chosen file for the import and never changes it: the file is read
// once into memory, which is the working copy, and a start that does not
// begin with 0x00 is restored there (a "temp.dat" left by an earlier import
// is removed). The database is opened in memory, read only and without
// further copies, plain first, then as a protected file under the database
// password;
// its record table must exist and carry exactly the working database's
// columns (matched by name, in any order), and its label is read from the
// first row of `ct_label`. The working database is only read.
struct ReadSourceResult {
    std::optional<ImportSource> source;
    ImportRefusal refusal;
};
ReadSourceResult ReadImportSource(const QString& chosenPath, db::Connection& working);

} // namespace kestrune::exchange
