#pragma once

// The survey's own vocabulary, written once: the states a stored record can
// be in, which unions answer the survey, the kinds of catalogue fields and
// the cover's column names.

#include <QString>

namespace kestrune::shell {

// dt_data.RecordState: what the record's last save or check left.
enum class RecordState : int {
    // Saved without its logic checked; it cannot be exported or reported.
    TemporarilySaved = 0,
    SavedWithoutLogicErrors = 1,
    SavedWithLogicErrors = 2,
};

// The reporting state c907 (a code of ct_state). States 1 and 2 answer the
// survey; a union in a higher state (dissolved, not yet founded, ...) carries
// no answers, so its survey boxes stay 0 and no rule checks it. 0 is a cover
// whose state is not chosen yet, and counts as answering.
constexpr int kLastAnsweringState = 2;
constexpr bool IsAnsweringUnit(int reportingState) {
    return reportingState <= kLastAnsweringState;
}
// The same test as a condition on dt_data.
inline const QString kAnsweringUnitCondition = QStringLiteral("c907<=2");

// dt_fieldlist.QueryType: how a field's values are kept and typed.
enum class QueryType : int {
    WholeNumber = 0,
    Text = 1,
    Decimal = 2, // amounts with fen
    YesNo = 3,   // 1 yes, 2 no, 0 not answered
};

// The cover's columns.
inline const QString kUnitCodeField = QStringLiteral("c901");
inline const QString kUnitNameField = QStringLiteral("c902");
inline const QString kRegionField = QStringLiteral("c903");
inline const QString kLevelField = QStringLiteral("c904");
inline const QString kFillerField = QStringLiteral("c905");
inline const QString kPhoneField = QStringLiteral("c906");
inline const QString kReportingStateField = QStringLiteral("c907");
inline const QString kRecordStateField = QStringLiteral("RecordState");

} // namespace kestrune::shell
