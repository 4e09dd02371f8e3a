#include "SurveyDatabase.h"

#include "ProgramFolder.h"
#include "UserInteraction.h"
#include "exchange/DerivedKeys.h"
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
    if (!connect(file)) {
        ui.showMessage(QFileInfo::exists(file) ? kBrokenInstallMessage : kMissingDatabaseMessage,
                       MessageKind::Error);
        return false;
    }
    currentPath_ = file;
    try {
        label_ = readLabel();
    } catch (const db::EngineError&) {
        // A database without the label table is not the survey database.
        close();
        ui.showMessage(kBrokenInstallMessage, MessageKind::Error);
        return false;
    }
    return true;
}

bool SurveyDatabase::connect(const QString& path) {
    try {
        connection_.open(path);
        return true;
    } catch (const db::EngineError&) {
    }
    // The file still carries its password: remove it once and for all.
    try {
        db::ProtectedFile::removePassword(path, exchange::databasePassword());
        connection_.open(path);
        return true;
    } catch (const db::EngineError&) {
        return false;
    }
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
