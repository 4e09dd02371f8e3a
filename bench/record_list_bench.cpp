// The record list on generated databases of 1,000 and 100,000 records:
// opening until the first screen of rows is ready, a title-click sort, a
// re-query back to the current row after one record changed, and the memory
// the open list adds.
//
//   kestrune-list-bench [COUNT...]     (default: 1000 100000)

#include "BenchSupport.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"

#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <fstream>
#include <unistd.h>

using namespace kestrune;

namespace {

constexpr int kScreenRows = 40;

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void readScreen(shell::RecordList& list, int firstRow) {
    for (int r = firstRow; r < std::min(list.rowCount(), firstRow + kScreenRows); ++r)
        for (int c = 0; c < int(list.columns().size()); ++c)
            (void)list.value(r, c);
}

double milliseconds(QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

void measure(int count) {
    bench::GeneratedDatabase generated(count);
    if (!generated.opened)
        return;
    db::Connection& connection = generated.connection();
    const shell::TFieldDataArray columns =
        shell::VisibleColumns(shell::ReadFieldCatalogue(connection));
    // Warm the file cache as a running program would have it.
    connection.scalar(QStringLiteral("select count(*) from view_data"));

    const double before = residentMegabytes();
    QElapsedTimer timer;
    timer.start();
    shell::RecordList list(connection);
    list.setColumns(columns);
    list.open();
    readScreen(list, 0);
    const double open = milliseconds(timer);
    const double added = residentMegabytes() - before;

    list.setCurrentRow(list.rowCount() / 2);
    connection.execute(QStringLiteral("update dt_data set c902 = c902 || '+' where c901 = ?"),
                       {*list.currentCode()});
    timer.restart();
    list.requeryAndReturn();
    readScreen(list, std::max(0, list.currentRow() - kScreenRows / 2));
    const double requeryInCodeOrder = milliseconds(timer);

    timer.restart();
    list.sort(1, true); // the unit name, as a click on its title
    readScreen(list, std::max(0, list.currentRow() - kScreenRows / 2));
    const double sort = milliseconds(timer);
    const double addedAfterSort = residentMegabytes() - before;

    connection.execute(QStringLiteral("update dt_data set c902 = c902 || '*' where c901 = ?"),
                       {*list.currentCode()});
    timer.restart();
    list.requeryAndReturn();
    readScreen(list, std::max(0, list.currentRow() - kScreenRows / 2));
    const double requerySorted = milliseconds(timer);

    printf("%7d records: open to first screen %6.1f ms | re-query and return %6.1f ms | "
           "title sort %6.1f ms | re-query of the sorted list %6.1f ms | memory added %4.1f MB "
           "open, %4.1f MB after the sort\n",
           count, open, requeryInCodeOrder, sort, requerySorted, added, addedAfterSort);
    fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    return bench::measureEachCount(argc, argv, measure);
}
