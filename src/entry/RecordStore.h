#pragma once

#include "shell/SurveyTerms.h"

#include <QString>
#include <QVariantMap>

namespace kestrune::db {
class Connection;
}

namespace kestrune::entry {

// What a save leaves in RecordState.
enum class SaveKind { Temporary, FormalClean, FormalWithErrors };
shell::RecordState RecordStateFor(SaveKind kind);

// The next unit code a new record proposes: one above the highest, 0 in an
// empty database.
double NextUnitCode(db::Connection& connection);

// The stored record with this unit code (column name -> value); empty when
// there is none.
QVariantMap ReadStoredRecord(db::Connection& connection, double code);

// Writes the entry dialog's values (column name -> value) as one record and
// its RecordState, in one transaction: a new row is inserted, an existing
// one (found by the code it was stored under) is updated. A failing save
// changes nothing and throws EngineError. Returns the code now stored.
double WriteRecord(db::Connection& connection, const QVariantMap& values, SaveKind kind,
                   bool newRow, double storedCode);

// "保存过程中遇到错误：" + the error + "数据没有被保存。"
QString SaveErrorMessage(const QString& error);

} // namespace kestrune::entry
