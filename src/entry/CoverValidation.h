#pragma once

#include "shell/CodeList.h"

#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::entry {

// What the cover boxes hold when the record is about to be saved, checked or
// left, together with what the entry dialog knows about the record.
struct CoverValues {
    QString unitCode;   // c901 as typed: digits only, at most 12
    QString unitName;   // c902
    int regionCode = 0; // c903
    int levelCode = 0;  // c904; 0 until chosen
    int stateCode = 0;  // c907; 0 until chosen
    QString filler;     // c905, the person who filled in the form
    QString phone;      // c906
    bool adding = false;
    // The unit code of the open record as last read or written; 0 for a record
    // never written. A written record finds its own code in dt_data.
    double storedCode = 0;
};

// Where the cover's codes are looked up.
struct CoverLookups {
    db::Connection& connection;
    shell::UserInteraction& ui; // a failing region look-up reports its engine error here
    const shell::TMenuItemDataArray& levelCodes; // CT_LevelCode without ID 0
    const shell::TMenuItemDataArray& stateCodes; // ct_state without ID 0
};

// The cover rules in the order they are tried.
enum class CoverRule {
    UnitCodeMissing = 1,
    UnitCodeTooShort,
    UnitCodeTaken,
    UnitNameMissing,
    RegionUnknown,
    LevelUnknown,
    StateUnknown,
    FillerMissing,
    FillerNotChinese,
    PhoneMissing,
    PhoneLengthInvalid,
};

// The first rule the cover breaks: the message to show and the box (named
// like its dt_data column) to move the focus to. After UnitCodeTaken the
// dialog also disables its two save buttons and shows the cover.
struct CoverFailure {
    CoverRule rule;
    QString message;
    QString focusField;
};

// Tries the rules in order and stops at the first failure; nothing when the
// cover may be saved. Changes nothing in the database. An engine error of the
// duplicate-code query is thrown to the caller.
std::optional<CoverFailure> ValidateCover(const CoverValues& cover, const CoverLookups& lookups);

// The number of records in dt_data with this unit code, compared as a number.
qint64 CountRecordsWithUnitCode(db::Connection& connection, double unitCode);

// The duplicate-code message; its wording depends on whether a new record is
// being added or an existing record's code was changed.
QString DuplicateUnitCodeMessage(bool adding, const QString& unitCode);

} // namespace kestrune::entry
