#pragma once

#include <QString>
#include <QtGlobal>

namespace kestrune::check {

// What one check run knows while it goes, shared by the rule evaluation and the
// report writer and set back at the start of every run.
struct CheckRunState {
    double unitCode = 0; // c901 of the record being checked, for its heading
    QString unitName;    // c902 likewise
    // True while no failure of the current record has been written: CheckRecord
    // sets it for each record, the report writer clears it with the record's
    // first failure so the heading is written once, and after the last rule it
    // is the record's verdict.
    bool recordClean = true;
    qint64 failedItems = 0; // failed rules over the run
    qint64 failedUnits = 0; // records with at least one failed rule
    bool anyFailure = false;
};

} // namespace kestrune::check
