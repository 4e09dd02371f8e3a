// Times the online upload export of RECORDS generated records against a plain
// read of every column of the same rows, in one run on one database, and the
// offline export beside them:
//
//     kestrune-upload-bench [RECORDS...]      (default 1,000 and 100,000)
//
// The plain read walks "select * from dt_data order by c901" once, touching
// every stored value; the online export walks the same rows, renders the GBK
// text table, writes it and encrypts it into the upload file.

#include "BenchSupport.h"
#include "exchange/OfflineExport.h"
#include "exchange/OnlineExport.h"
#include "schema/Connection.h"
#include "schema/Statement.h"

#include <QElapsedTimer>
#include <QFileInfo>

using namespace kestrune;

namespace {

// Reads every column of every record in unit-code order; returns a checksum
// so that nothing is skipped.
qint64 readEveryColumn(db::Connection& connection) {
    qint64 sum = 0;
    connection.forEachRow(QStringLiteral("select * from dt_data order by c901 asc"), {},
                          [&](const db::Statement& row) {
                              for (int i = 0, n = row.columnCount(); i < n; ++i) {
                                  const db::StoredValue value = row.stored(i);
                                  sum += value.kind() == db::StoredValue::Kind::Text
                                             ? value.utf8().size()
                                             : qint64(value.toDouble());
                              }
                          });
    return sum;
}

void measure(int records) {
    bench::GeneratedDatabase db(records);
    if (!db.opened)
        return;
    db.connection().execute(QStringLiteral("update dt_data set RecordState=1"));
    const QString online = db.dir.filePath(QStringLiteral("online.dat"));
    const QString offline = db.dir.filePath(QStringLiteral("offline.dat"));

    // One untimed read first, so that neither figure pays for a cold cache.
    readEveryColumn(db.connection());
    QElapsedTimer timer;
    timer.start();
    const qint64 checksum = readEveryColumn(db.connection());
    const qint64 readMs = timer.elapsed();

    timer.restart();
    const bool onlineWritten = exchange::WriteOnlineFile(db.connection(), online, db.ui, false);
    const qint64 onlineMs = timer.elapsed();

    timer.restart();
    const bool offlineWritten = exchange::WriteOfflineFile(
        db.database.currentPath(), QStringLiteral("基准单位"), offline, db.ui, false);
    const qint64 offlineMs = timer.elapsed();

    printf("%d records (checksum %lld)\n", records, static_cast<long long>(checksum));
    printf("  plain read of every column   %7lld ms\n", static_cast<long long>(readMs));
    printf("  online export                %7lld ms  %.2f x the plain read  %s, %lld bytes\n",
           static_cast<long long>(onlineMs), readMs > 0 ? double(onlineMs) / double(readMs) : 0.0,
           onlineWritten ? "written" : "FAILED", static_cast<long long>(QFileInfo(online).size()));
    printf("  offline export               %7lld ms  %s, %lld bytes\n",
           static_cast<long long>(offlineMs), offlineWritten ? "written" : "FAILED",
           static_cast<long long>(QFileInfo(offline).size()));
    fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    return bench::measureEachCount(argc, argv, measure);
}
