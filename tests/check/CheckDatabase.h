#pragma once

#include "support/StartedSession.h"

#include <QTemporaryDir>
#include <QVariant>
#include <QVariantMap>

namespace kestrune::testing {

// A started session on the installed survey database, with TEMP pointing to a
// private folder for the report.
class CheckDatabase : public StartedSession {
public:
    CheckDatabase();
    ~CheckDatabase();

    QString label() const { return session.database.label(); }
    QString databasePath() const { return session.database.currentPath(); }
    QString tempFolder() const { return temp_.path(); }
    QString programFolder() const { return env.programFolder(); }
    QString reportPath() const;

    // One dt_data row: the unit code and name, level code c904, reporting
    // state c907 and RecordState, and any indicator values by field name.
    void addRecord(double code, const QString& name, const QVariantMap& values = {}, int level = 4,
                   int reportingState = 1, const QVariant& recordState = {});
    QVariant recordState(double code);
    // Sets a field's caption in the catalogue, so that tests name their own.
    void setCaption(const QString& field, const QString& caption);

private:
    QTemporaryDir temp_;
    QByteArray oldTemp_;
};

// The bytes a text has in GBK, with each line ended by CR LF.
QByteArray gbkLines(const QStringList& lines);

} // namespace kestrune::testing
