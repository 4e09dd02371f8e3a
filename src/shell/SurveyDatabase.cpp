#include "SurveyDatabase.h"

#include "FailureReason.h"
#include "ProgramFolder.h"
#include "UserInteraction.h"
#include "schema/DerivedKeys.h"
#include "schema/Dataset.h"
#include "schema/EngineError.h"
#include "schema/ProtectedFile.h"

#include <QFileInfo>

namespace kestrune::shell {

bool SurveyDatabase::OpenDatabase(UserInteraction& ui, const QString& path) {
    close();
    const QString file = path.isEmpty() ? defaultDatabasePath() : path;
    if (!QFileInfo::exists(file)) {
        ui.showMessage(kMissingDatabaseMessage, MessageKind::Error);
        return false;
    }
    if (!lock_.acquireShared(file, kLockWaitMilliseconds)) {
        ui.showMessage(OpenFailureMessage(db::EngineError({}, db::EngineFailure::Busy)),
                       MessageKind::Error);
        return false;
    }
    try {
        connect(file);
        currentPath_ = file;
        label_ = readLabel();
    } catch (const db::EngineError& e) {
        // A database without the label table is not the survey database.
        close();
        lock_.release();
        ui.showMessage(OpenFailureMessage(e), MessageKind::Error);
        return false;
    }
    return true;
}

QString OpenFailureMessage(const db::EngineError& error) {
    if (error.failure() == db::EngineFailure::Other)
        return kBrokenInstallMessage;
    return kOpenFailurePrefix + FailureReason(error);
}

void SurveyDatabase::connect(const QString& path) {
    try {
        connection_.open(path);
        return;
    } catch (const db::EngineError& e) {
        // Only a file that is no plain database may still carry its password.
        if (e.failure() != db::EngineFailure::NotDatabase)
            throw;
    }
    // The file still carries its password: remove it once and for all.
    db::ProtectedFile::removePassword(path, db::databasePassword());
    connection_.open(path);
}

QString SurveyDatabase::readLabel() {
    db::Dataset labels = connection_.query(QStringLiteral("select * from ct_label"));
    if (labels.isEmpty())
        return QString();
    return labels.field(QStringLiteral("db_name")).asText();
}

void SurveyDatabase::close() {
    connection_.close();
}

void SurveyDatabase::reopen() {
    connection_.open(currentPath_);
    label_ = readLabel();
}

QString mainCaption(const QString& label) {
    return QStringLiteral("Kestrune - ") + label;
}

} // namespace kestrune::shell
