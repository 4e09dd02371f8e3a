#include "GroupTransfer.h"

#include "TableColumns.h"
#include "UploadRules.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/DerivedKeys.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"
#include "schema/Transaction.h"
#include "shell/FailureReason.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/UserInteraction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrune::exchange {

namespace {

const QString kMdb = QStringLiteral(".mdb");
// Schema names under which the other file is attached.
const QString kTargetSchema = QStringLiteral("group_target");
const QString kSourceSchema = QStringLiteral("group_source");

QString quoted(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString qualified(const QString& schema, const QString& table) {
    return schema + QLatin1Char('.') + quoted(table);
}

// The name under which `schema` holds the table `table` (compared without
// regard to case, as group files name their tables freely); empty when none.
QString storedTableName(db::Connection& connection, const QString& schema, const QString& table) {
    return connection
        .scalar(QStringLiteral("select name from %1.sqlite_master where type = 'table' and "
                               "name = ? collate nocase")
                    .arg(schema),
                {table})
        .toString();
}

// Detaches the other file however the copy ended.
class AttachedFile {
public:
    AttachedFile(db::Connection& connection, const QString& schema)
        : connection_(connection), schema_(schema) {}
    ~AttachedFile() {
        try {
            connection_.detach(schema_);
        } catch (const db::EngineError&) {
            // Closing the connection releases the file anyway.
        }
    }
    AttachedFile(const AttachedFile&) = delete;
    AttachedFile& operator=(const AttachedFile&) = delete;

private:
    db::Connection& connection_;
    QString schema_;
};

// The installed database, read through a connection of its own. It lost its
// password at the program's first start; a copy that still carries it is read
// in memory and left as it is.
void openSource(db::Connection& connection, const QString& path) {
    try {
        connection.open(path);
        return;
    } catch (const db::EngineError& e) {
        if (e.failure() != db::EngineFailure::NotDatabase)
            throw;
    }
    connection.openProtected(path, db::databasePassword());
}

// Replaces the target's table by the source's, with the source's declared
// layout, so that keys and defaults travel with the rows.
void copyTableToTarget(db::Connection& connection, const QString& table) {
    const QString definition =
        connection
            .scalar(QStringLiteral("select sql from main.sqlite_master where type = 'table' and "
                                   "name = ? collate nocase"),
                    {table})
            .toString();
    const qsizetype columns = definition.indexOf(QLatin1Char('('));
    if (columns < 0)
        throw db::EngineError(QStringLiteral("no such table: ") + table);
    const QString old = storedTableName(connection, kTargetSchema, table);
    if (!old.isEmpty())
        connection.execute(QStringLiteral("drop table ") + qualified(kTargetSchema, old));
    connection.execute(QStringLiteral("create table ") + qualified(kTargetSchema, table) +
                       QLatin1Char(' ') + definition.mid(columns));
    connection.execute(QStringLiteral("insert into ") + qualified(kTargetSchema, table) +
                       QStringLiteral(" select * from ") +
                       qualified(QStringLiteral("main"), table));
}

// Replaces the working database's rows of `table` by those of the file's
// table `stored`, column by column name.
void copyTableFromFile(db::Connection& working, const QString& table, const QString& stored) {
    const QStringList wanted = TableColumns(working, table);
    if (wanted.isEmpty() || !SameColumnNames(TableColumns(working, stored, kSourceSchema), wanted))
        throw db::EngineError(QStringLiteral("数据表\"") + table +
                              QStringLiteral("\"的字段与本系统的不一致"));
    QStringList names;
    for (const QString& name : wanted)
        names << quoted(name);
    const QString list = names.join(QLatin1Char(','));
    working.execute(QStringLiteral("delete from ") + qualified(QStringLiteral("main"), table));
    working.execute(QStringLiteral("insert into ") + qualified(QStringLiteral("main"), table) +
                    QStringLiteral(" (") + list + QStringLiteral(") select ") + list +
                    QStringLiteral(" from ") + qualified(kSourceSchema, stored));
}

// One step for opening the other file, then one per table. The opening step
// is counted among the parts, so that the bar ends at its full length.
void startProgress(shell::UserInteraction& ui) {
    ui.progressStart(int(kGroupTables.size()) + 1, 0);
    ui.progressStep();
}

void tableDone(shell::UserInteraction& ui) {
    ui.progressStep();
    ui.keepResponsive();
}

void reportFailure(shell::UserInteraction& ui, const db::EngineError& error) {
    ui.showRuntimeError(shell::FailureReason(error), kGroupErrorAdvice);
}

bool writeGroups(db::Connection& source, const QString& target, shell::UserInteraction& ui) {
    const bool created = !QFileInfo::exists(target);
    bool progressShown = false;
    try {
        if (created)
            db::createDatabase(target);
        // Attaching checks that the target is a database before anything is written.
        source.attach(target, kTargetSchema);
        AttachedFile attached(source, kTargetSchema);
        startProgress(ui);
        progressShown = true;
        db::Transaction transaction(source);
        for (const QString& table : kGroupTables) {
            copyTableToTarget(source, table);
            tableDone(ui);
        }
        transaction.commit();
    } catch (const db::EngineError& e) {
        source.close();
        // A file made for this export is not left behind half filled.
        if (created)
            QFile::remove(target);
        if (progressShown)
            ui.progressFinish();
        reportFailure(ui, e);
        return false;
    }
    ui.progressFinish();
    ui.showMessage(OfflineExportedMessage(target));
    return true;
}

bool openSourceOrReport(db::Connection& connection, const QString& source,
                        shell::UserInteraction& ui) {
    try {
        openSource(connection, source);
        return true;
    } catch (const db::EngineError& e) {
        reportFailure(ui, e);
        return false;
    }
}

} // namespace

QString GroupFileFolder() {
    return shell::ReadRegText(kGroupFolderValue, QString(), shell::RegistryRoot::CurrentUser,
                              shell::kShellFoldersKey);
}

QString GroupFileName(const QString& chosen) {
    const QString name = chosen.trimmed();
    if (name.size() > 4 && !name.endsWith(kMdb, Qt::CaseSensitive))
        return name + kMdb;
    return name;
}

QString MissingGroupTableMessage(const QString& table) {
    return QStringLiteral("您选择的文件中不存在名字为\"") + table + QStringLiteral("\"的数据表");
}

bool ExportGroups(const QString& source, shell::UserInteraction& ui) {
    db::Connection connection;
    if (!openSourceOrReport(connection, source, ui))
        return false;
    shell::FileDialogRequest request;
    request.title = kGroupExportTitle;
    request.filter = kGroupFileFilter;
    request.initialFolder = GroupFileFolder();
    if (!request.initialFolder.isEmpty())
        QDir().mkpath(request.initialFolder);
    const QString chosen = ui.chooseSaveFile(request);
    if (chosen.trimmed().isEmpty())
        return false;
    return writeGroups(connection, GroupFileName(chosen), ui);
}

bool WriteGroupFile(const QString& source, const QString& target, shell::UserInteraction& ui) {
    db::Connection connection;
    return openSourceOrReport(connection, source, ui) && writeGroups(connection, target, ui);
}

bool ImportGroups(db::Connection& working, shell::UserInteraction& ui) {
    shell::FileDialogRequest request;
    request.title = kGroupImportTitle;
    request.filter = kGroupFileFilter;
    request.initialFolder = GroupFileFolder();
    const QString chosen = ui.chooseOpenFile(request);
    if (chosen.trimmed().isEmpty())
        return false;
    const QString file = GroupFileName(chosen);
    if (!QFileInfo(file).isFile()) {
        ui.showMessage(kGroupFileMissing, shell::MessageKind::Warning);
        return false;
    }
    return ReadGroupFile(working, file, ui);
}

bool ReadGroupFile(db::Connection& working, const QString& file, shell::UserInteraction& ui) {
    bool progressShown = false;
    try {
        // The file is read into memory: importing never changes it.
        working.attachImage(db::readFileContents(file), kSourceSchema);
        AttachedFile attached(working, kSourceSchema);
        startProgress(ui);
        progressShown = true;
        db::Transaction transaction(working);
        for (const QString& table : kGroupTables) {
            const QString stored = storedTableName(working, kSourceSchema, table);
            if (stored.isEmpty()) {
                ui.showMessage(MissingGroupTableMessage(table));
                continue;
            }
            copyTableFromFile(working, table, stored);
            tableDone(ui);
        }
        transaction.commit();
    } catch (const db::EngineError& e) {
        if (progressShown)
            ui.progressFinish();
        reportFailure(ui, e);
        return false;
    }
    ui.progressFinish();
    ui.showMessage(kGroupImportDone);
    return true;
}

} // namespace kestrune::exchange
