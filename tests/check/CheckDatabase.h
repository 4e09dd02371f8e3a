#pragma once

#include "shell/SurveyDatabase.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QTemporaryDir>
#include <QVariant>
#include <QVariantMap>

namespace kestrune::testing {

// The installed survey database, opened as the program opens it, in a private
// program folder, with TEMP pointing to a private folder for the report.
class CheckDatabase {
public:
    CheckDatabase();
    ~CheckDatabase();

    db::Connection& connection() { return survey_.connection(); }
    QString label() const { return survey_.label(); }
    QString databasePath() const { return survey_.currentPath(); }
    QString tempFolder() const { return temp_.path(); }
    QString programFolder() const { return env_.programFolder(); }
    QString reportPath() const;

    // One dt_data row: the unit code and name, level code c904, reporting
    // state c907 and RecordState, and any indicator values by field name.
    void addRecord(double code, const QString& name, const QVariantMap& values = {}, int level = 4,
                   int reportingState = 1, const QVariant& recordState = {});
    QVariant recordState(double code);
    // Sets a field's caption in the catalogue, so that tests name their own.
    void setCaption(const QString& field, const QString& caption);

    ScriptedInteraction ui;

private:
    TestEnvironment env_;
    QTemporaryDir temp_;
    QByteArray oldTemp_;
    shell::SurveyDatabase survey_;
};

// The bytes a text has in GBK, with each line ended by CR LF.
QByteArray gbkLines(const QStringList& lines);

} // namespace kestrune::testing
