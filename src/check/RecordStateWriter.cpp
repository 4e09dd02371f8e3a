#include "RecordStateWriter.h"

#include "schema/Connection.h"

namespace kestrune::check {

RecordStateWriter::RecordStateWriter(db::Connection& connection)
    : connection_(connection),
      update_(connection, QStringLiteral("update dt_data set RecordState=? where rowid=?")),
      ownsTransactions_(!connection.inTransaction()) {}

RecordStateWriter::~RecordStateWriter() {
    try {
        commit();
    } catch (...) {
        // Nothing more can be done while unwinding; the open batch is lost
        // with its transaction, the batches before it are committed.
    }
}

void RecordStateWriter::write(qint64 rowId, int recordState) {
    if (pending_ == 0) {
        if (ownsTransactions_)
            connection_.begin();
        batchAge_.start();
    }
    ++pending_;
    update_.bindInteger(1, recordState);
    update_.bindInteger(2, rowId);
    update_.execute();
    if (batchAge_.hasExpired(kMillisecondsPerTransaction))
        commit();
}

void RecordStateWriter::commit() {
    if (pending_ == 0)
        return;
    pending_ = 0;
    if (ownsTransactions_ && connection_.inTransaction())
        connection_.commit();
}

} // namespace kestrune::check
