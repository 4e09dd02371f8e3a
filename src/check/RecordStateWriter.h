#pragma once

#include "schema/Statement.h"

#include <QElapsedTimer>

namespace kestrune::db {
class Connection;
}

namespace kestrune::check {

// Writes the records' verdicts into dt_data.RecordState through one prepared
// statement, in transactions that each take about a second of writing: every
// commit costs the disk several syncs (some tens of milliseconds on a slow
// disk, which at one commit per 500 records doubled the time of a large
// check), while one transaction for the whole run would lose every verdict if
// the program ended midway. commit() ends the open batch; a crash rolls back
// only the batch that was open, never more than a second's work.
class RecordStateWriter {
public:
    static constexpr qint64 kMillisecondsPerTransaction = 1000;

    explicit RecordStateWriter(db::Connection& connection);
    // Commits what is written; errors are swallowed here, so call commit() to see them.
    ~RecordStateWriter();
    RecordStateWriter(const RecordStateWriter&) = delete;
    RecordStateWriter& operator=(const RecordStateWriter&) = delete;

    void write(qint64 rowId, int recordState);
    void commit();

private:
    db::Connection& connection_;
    db::Statement update_;
    // A caller that holds a transaction of its own keeps it; the writer then
    // neither begins nor commits.
    bool ownsTransactions_;
    int pending_ = 0;
    QElapsedTimer batchAge_;
};

} // namespace kestrune::check
