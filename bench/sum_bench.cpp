// Times the summation of every sheet on generated records, by level, by
// reporting state and by a group of 30 unit-code ranges, each beside a plain
// read of every indicator column the summary reads, of the same rows in the
// same run (the machine's speed varies between runs, not within one):
//
//     kestrune-sum-bench [RECORDS...]     (default: 100000)
//
// A summation is timed whole: the template opened, the pass over the
// records, the 24 sheets filled, the unchosen sheets dropped and the
// workbook saved. For comparison, the 24 grouped queries by level.

#include "BenchSupport.h"
#include "schema/Connection.h"
#include "schema/Statement.h"
#include "sum/SumQueries.h"
#include "sum/SummaryJob.h"
#include "sum/SummarySheets.h"

#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

using namespace kestrune;

namespace {

QStringList summaryColumns() {
    QStringList columns;
    for (int s = sum::kFirstSummarySheet; s <= sum::kLastSummarySheet; ++s)
        for (const QString& c : sum::summarySheet(s).columns())
            if (!columns.contains(c))
                columns << c;
    return columns;
}

// Every column the summary reads, of every record, as the pass reads them.
double plainRead(db::Connection& connection) {
    const QStringList columns = summaryColumns();
    db::Statement select(connection,
                         "select c901, c904, c907, " + columns.join(',') + " from dt_data");
    const int count = select.columnCount();
    double sum = 0;
    while (select.step())
        for (int c = 0; c < count; ++c) {
            const db::StoredValue value = select.stored(c);
            if (value.kind() != db::StoredValue::Kind::Null)
                sum += value.toDouble();
        }
    return sum;
}

qint64 addGroupOfThirty(db::Connection& connection) {
    connection.execute("insert into ct_group (Name, orderstr) values ('三十段', 'Title DESC')");
    const qint64 id = connection.lastInsertRowId();
    const double low = connection.scalar("select min(c901) from dt_data").toDouble();
    const double high = connection.scalar("select max(c901) from dt_data").toDouble() + 1;
    const double width = (high - low) / 30;
    for (int i = 0; i < 30; ++i)
        connection.execute("insert into DT_GroupItem (GroupID, Title, LowSymbol, LowBoundary, "
                           "HighSymbol, HighBoundary) values (?, ?, '>=', ?, '<', ?)",
                           {id, QString("第%1段").arg(i + 1, 2, 10, QChar('0')),
                            std::floor(low + i * width), std::floor(low + (i + 1) * width)});
    return id;
}

double secondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

void measure(int count) {
    bench::GeneratedDatabase generated(count);
    if (!generated.opened)
        return;
    db::Connection& connection = generated.connection();
    const qint64 group = addGroupOfThirty(connection);
    std::vector<int> sheets;
    for (int s = 1; s <= sum::kLastSummarySheet; ++s)
        sheets.push_back(s);
    const QString out = generated.dir.filePath("summary.xlsx");
    printf("%d records, all 24 sheets\n", count);

    plainRead(connection); // the pages cached, as for every run after
    struct Run {
        const char* name;
        sum::Breakdown breakdown;
        qint64 group;
    };
    for (const Run& run :
         {Run{"level", sum::Breakdown::Level, 0}, Run{"state", sum::Breakdown::State, 0},
          Run{"group of 30", sum::Breakdown::Group, group}}) {
        const double read = secondsOf([&] { plainRead(connection); });
        double save = 0;
        const double whole = secondsOf([&] {
            sum::SummaryJob job(connection, run.breakdown, run.group, sheets,
                                QStringLiteral(KESTRUNE_SUMMARY_TEMPLATE));
            shell::RunJobToEnd(job, generated.ui, false);
            save = secondsOf([&] { job.workbook().save(out); });
        });
        printf("  by %-12s plain read %6.3f s   summation %6.3f s (save %5.3f s)   ratio "
               "%4.2f\n",
               run.name, read, whole, save, whole / read);
        fflush(stdout);
    }
    const double queries = secondsOf([&] {
        for (int s = sum::kFirstSummarySheet; s <= sum::kLastSummarySheet; ++s)
            connection.query(sum::LevelBreakdownQuery(s));
    });
    printf("  for comparison: the 24 grouped queries by level %6.3f s\n", queries);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts = {QStringLiteral("100000")};
    for (const QString& count : counts)
        measure(count.toInt());
    return 0;
}
