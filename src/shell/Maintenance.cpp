#include "Maintenance.h"

#include "FailureReason.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "SurveyDatabase.h"
#include "UserInteraction.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/SessionLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace kestrune::shell {

ConnectionClient::~ConnectionClient() = default;

namespace {

// Closes the connection for the life of the object and opens it (and the
// list) again on every path out.
class ClosedConnection {
public:
    ClosedConnection(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list)
        : database_(database), ui_(ui), list_(list) {
        if (list_)
            list_->connectionClosing();
        database_.close();
    }
    ~ClosedConnection() {
        try {
            database_.reopen();
        } catch (const db::EngineError& e) {
            ui_.showRuntimeError(FailureReason(e));
        }
        if (list_)
            list_->connectionReopened();
    }

private:
    SurveyDatabase& database_;
    UserInteraction& ui_;
    ConnectionClient* list_;
};

// A new empty "~SM" file in the temporary folder, held by `marker` while
// the compaction writes into it.
QString freshTemporaryFile(db::SessionLock& marker) {
    QTemporaryFile file(QDir(temporaryFolder()).filePath(QStringLiteral("~SMXXXXXX.tmp")));
    file.setAutoRemove(false);
    if (!file.open())
        throw db::EngineError(file.errorString(), db::WriteFailure(temporaryFolder(), 0));
    const QString name = file.fileName();
    file.close();
    if (!marker.tryHoldFileAlone(name)) {
        QFile::remove(name);
        throw db::EngineError(QStringLiteral("无法使用临时文件 ") + name);
    }
    return name;
}

// Shares the database again once compaction is over, on every path.
class HeldAlone {
public:
    explicit HeldAlone(SurveyDatabase& database) : database_(database) {}
    ~HeldAlone() { database_.share(); }

private:
    SurveyDatabase& database_;
};

} // namespace

QString BackupTargetName(const QString& chosen) {
    if (chosen.size() > 4 && !chosen.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return chosen + QStringLiteral(".mdb");
    return chosen;
}

bool BackupDatabase(SurveyDatabase& database, UserInteraction& ui) {
    const QString documents = documentsFolder();
    QDir().mkpath(documents);
    FileDialogRequest request;
    request.title = QStringLiteral("备份文件存放为");
    request.filter = QStringLiteral("Access文件(*.mdb)|*.mdb");
    request.initialFolder = documents;
    request.confirmOverwrite = true;
    const QString chosen = ui.chooseSaveFile(request);
    if (chosen.trimmed().isEmpty())
        return false;
    const QString target = BackupTargetName(chosen);
    // The copy is taken from the open connection as the file stands at one
    // moment, so another program writing meanwhile cannot tear it.
    try {
        db::backupDatabase(database.connection(), target);
    } catch (const db::EngineError& e) {
        ui.showMessage(FailureReason(e), MessageKind::Error);
        return false;
    }
    ui.showMessage(kBackupSucceeded);
    return true;
}

void RemoveStaleCompactionFiles() {
    const QDir folder(temporaryFolder());
    const QStringList names =
        folder.entryList({QStringLiteral("~SM*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        // A compaction still writing holds its file; one that was cut short
        // left it behind unheld.
        db::SessionLock probe;
        if (!probe.tryHoldFileAlone(folder.filePath(name)))
            continue;
        probe.release();
        QFile::remove(folder.filePath(name));
        // The copy is written with a rollback journal, which a compaction
        // killed while writing leaves beside it.
        QFile::remove(folder.filePath(name + QStringLiteral("-journal")));
    }
}

bool CompactDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list) {
    RemoveStaleCompactionFiles();
    // Compaction replaces the file: a session that had it open would go on
    // writing to the replaced one, and what it wrote would be lost.
    if (!database.holdAlone()) {
        ui.showMessage(kDatabaseInUseMessage, MessageKind::Warning);
        return false;
    }
    HeldAlone alone(database);
    ClosedConnection closed(database, ui, list);
    db::SessionLock marker;
    QString temporary;
    try {
        temporary = freshTemporaryFile(marker);
        db::compactDatabase(database.currentPath(), temporary);
        db::replaceFileContents(database.currentPath(), db::readFileContents(temporary));
        QFile::remove(temporary);
    } catch (const db::EngineError& e) {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
        ui.showRuntimeError(FailureReason(e));
        return false;
    }
    ui.showMessage(kCompactSucceeded);
    return true;
}

} // namespace kestrune::shell
