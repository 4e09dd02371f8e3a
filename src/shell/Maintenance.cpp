#include "Maintenance.h"

#include "ProgramFolder.h"
#include "Settings.h"
#include "SurveyDatabase.h"
#include "UserInteraction.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"

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
            ui_.showRuntimeError(e.text());
        }
        if (list_)
            list_->connectionReopened();
    }

private:
    SurveyDatabase& database_;
    UserInteraction& ui_;
    ConnectionClient* list_;
};

QString freshTemporaryName() {
    QTemporaryFile probe(QDir(temporaryFolder()).filePath(QStringLiteral("~SMXXXXXX.tmp")));
    if (!probe.open())
        throw db::EngineError(probe.errorString());
    const QString name = probe.fileName();
    probe.close();
    probe.remove();
    return name;
}

} // namespace

QString BackupTargetName(const QString& chosen) {
    if (chosen.size() > 4 && !chosen.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return chosen + QStringLiteral(".mdb");
    return chosen;
}

bool BackupDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list) {
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

    ClosedConnection closed(database, ui, list);
    try {
        db::replaceFileContents(target, db::readFileContents(database.currentPath()));
    } catch (const db::EngineError& e) {
        ui.showMessage(e.text(), MessageKind::Error);
        return false;
    }
    ui.showMessage(kBackupSucceeded);
    return true;
}

bool CompactDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list) {
    ClosedConnection closed(database, ui, list);
    QString temporary;
    try {
        temporary = freshTemporaryName();
        db::compactDatabase(database.currentPath(), temporary);
        db::replaceFileContents(database.currentPath(), db::readFileContents(temporary));
        QFile::remove(temporary);
    } catch (const db::EngineError& e) {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
        ui.showRuntimeError(e.text());
        return false;
    }
    ui.showMessage(kCompactSucceeded);
    return true;
}

} // namespace kestrune::shell
