#pragma once

#include <QtGlobal>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::cli {

struct GeneratedRecords {
    std::vector<qint64> unitCodes; // c901 of each record added, in the order written
};

// Adds `count` made-up survey records to dt_data, for tests, benchmarks and
// demonstrations on a realistic amount of data, in one transaction of its
// own (on an error nothing is added).
//
// Every record has a new 12-digit unit code (the region code followed by six
// digits, none already in the table), a real prefecture or county, level and
// reporting state, a name that fits them, a filler and a phone that pass the
// cover's checks. Unions of state 1 or 2 answer the survey plausibly for their
// level; about one in twenty of them has a part larger than its whole, the
// rest break no logic rule. Unions of state 3 and above report the cover only:
// every indicator 0. RecordState is the verdict a clerk's save would leave:
// 1 for records without rule breaks, 2 for the others, 0 (temporarily saved)
// for a few of both; always 1 for a cover-only record.
//
// The same seed on the same database gives the same records.
GeneratedRecords generateRecords(db::Connection& connection, int count, quint64 seed);

} // namespace kestrune::cli
