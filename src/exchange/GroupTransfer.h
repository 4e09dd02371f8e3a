#pragma once

#include <QString>
#include <QStringList>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::exchange {

inline const QString kGroupFileFilter = QStringLiteral("Access文件(*.mdb)|*.mdb");
inline const QString kGroupExportTitle = QStringLiteral("导出文件存放为");
inline const QString kGroupImportTitle = QStringLiteral("选择导入文件");
inline const QString kGroupFileMissing = QStringLiteral("您选择的文件并不存在，请选择其它文件。");
inline const QString kGroupImportDone = QStringLiteral("数据分组导入操作完成！");
inline const QString kGroupErrorAdvice = QStringLiteral(",请与软件发行者联系。");
// The registry value, under the user's shell folders, naming the folder the
// group file dialogs start in.
inline const QString kGroupFolderValue = QStringLiteral("Mirelda");

// The group tables, in the order they are copied, named as group files name them.
inline const QStringList kGroupTables = {QStringLiteral("CT_Group"),
                                         QStringLiteral("DT_GroupItem")};

// The folder the group file dialogs start in; empty when the value is absent.
QString GroupFileFolder();

// The trimmed name, with ".mdb" appended when it is longer than four
// characters and does not end in ".mdb" (case matters).
QString GroupFileName(const QString& chosen);

// "您选择的文件中不存在名字为"T"的数据表"
QString MissingGroupTableMessage(const QString& table);

// The group list's "导  出": the save dialog, then WriteGroupFile from the
// database file `source` (the installed database). True when written.
bool ExportGroups(const QString& source, shell::UserInteraction& ui);

// Copies the group tables whole from the database file `source` into
// `target`, created when missing. The target's old group tables are replaced
// in one transaction: a failure leaves them as they were, and a file that is
// no database is left untouched. True when written (the person is told where).
bool WriteGroupFile(const QString& source, const QString& target, shell::UserInteraction& ui);

// The group list's "导  入": the open dialog, then ReadGroupFile. True when
// the import ran to its end (the group list is then re-read).
bool ImportGroups(db::Connection& working, shell::UserInteraction& ui);

// Replaces the working database's group tables by those of `file`, in one
// transaction; a table the file lacks is reported and kept. Columns are
// matched by name: a table with other columns stops the import. Any failure
// leaves the working database as it was. True when the import ran to its end.
bool ReadGroupFile(db::Connection& working, const QString& file, shell::UserInteraction& ui);

} // namespace kestrune::exchange
