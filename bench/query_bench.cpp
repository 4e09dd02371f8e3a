// The indicator query on a generated database of 100,000 records: from the
// accepted condition to the first screen of its result list (catalogue
// columns, the snapshot of the records found, the first 40 rows read), for a
// condition on the unit code that finds exactly 10,000 records, one on an
// indicator of 表1 and one on an indicator of 附表2 (the full view).
//
//   kestrune-query-bench [COUNT...]     (default: 100000)

#include "BenchSupport.h"
#include "query/IndicatorCondition.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"

#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

using namespace kestrune;

namespace {

constexpr int kScreenRows = 40;
constexpr int kFound = 10000;
constexpr int kRuns = 5;

// The condition dialog's work and the result list's opening, up to the
// values of the first screen.
int openFirstScreen(db::Connection& connection, const query::IndicatorRange& range) {
    const auto built = query::BuildIndicatorCondition(range);
    const auto& condition = std::get<query::IndicatorCondition>(built).statement;
    shell::RecordList list(connection);
    list.setCondition(condition.text, condition.values);
    list.setColumns(shell::VisibleColumns(shell::ReadFieldCatalogue(connection)));
    list.open();
    for (int r = 0; r < std::min(list.rowCount(), kScreenRows); ++r)
        for (int c = 0; c < int(list.columns().size()); ++c)
            (void)list.value(r, c);
    return list.rowCount();
}

// The value at which `field`, in descending order, reaches `count` records.
QString threshold(db::Connection& connection, const QString& field, int count) {
    return QString::number(
        connection
            .scalar(QStringLiteral("select %1 from dt_data order by %1 desc limit 1 offset ?")
                        .arg(field),
                    {count - 1})
            .toDouble(),
        'f', 0);
}

void measure(db::Connection& connection, const char* what, const query::IndicatorRange& range) {
    double best = 1e9;
    double total = 0;
    int found = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        found = openFirstScreen(connection, range);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        best = std::min(best, ms);
        total += ms;
    }
    printf("  %-34s found %6d   first screen %7.1f ms (best of %d), %7.1f ms mean\n", what, found,
           best, kRuns, total / kRuns);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts = {QStringLiteral("100000")};
    for (const QString& countText : counts) {
        const int count = countText.toInt();
        bench::GeneratedDatabase generated(count);
        if (!generated.opened)
            return 1;
        db::Connection& connection = generated.connection();
        connection.scalar(QStringLiteral("select count(*) from view_data")); // a warm file cache
        printf("%d records\n", count);
        const int wanted = std::min(kFound, count);
        const QString lastCode =
            QString::number(connection
                                .scalar(QStringLiteral("select c901 from dt_data order by c901 "
                                                       "limit 1 offset ?"),
                                        {wanted - 1})
                                .toDouble(),
                            'f', 0);
        measure(connection, "c901 <= code of record 10,000",
                {"c901", 5, lastCode, query::kNoOperator, {}});
        measure(connection, "z001 >= its 10,000th largest value",
                {"z001", 4, threshold(connection, "z001", wanted), query::kNoOperator, {}});
        measure(connection, "y005 >= its 10,000th largest value",
                {"y005", 4, threshold(connection, "y005", wanted), query::kNoOperator, {}});
    }
    return 0;
}
