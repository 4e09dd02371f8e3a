// Saving one record from the entry dialog in generated databases of 1,000 and
// 100,000 records, step by step: reading the stored row, the page rules of all
// fourteen pages on its values, the write in one transaction, the record
// list's re-query back to the record, and the next unit code a new record
// proposes. Each step is the median of 21 saves of the same record.
//
//   kestrune-save-bench [COUNT...]     (default: 1000 100000)

#include "BenchSupport.h"
#include "check/PageRules.h"
#include "check/RuleExplainer.h"
#include "entry/RecordStore.h"
#include "entry/RecordValues.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kestrune;

namespace {

constexpr int kSaves = 21;

struct StepTimes {
    std::vector<double> read, rules, write, requery, nextCode;
};

void measure(int count) {
    bench::GeneratedDatabase generated(count);
    if (!generated.opened)
        return;
    db::Connection& connection = generated.connection();
    const shell::TFieldDataArray catalogue = shell::ReadFieldCatalogue(connection);
    shell::RecordList list(connection);
    list.setColumns(shell::VisibleColumns(catalogue));
    list.open();
    list.setCurrentRow(list.rowCount() / 2);
    const double code = *list.currentCode();
    check::RuleExplainer explainer(connection, generated.ui);

    StepTimes times;
    entry::RecordValues values(catalogue); // what the entry form holds
    QElapsedTimer timer;
    for (int save = 0; save < kSaves; ++save) {
        timer.start();
        values.read(entry::ReadStoredRecord(connection, code));
        times.read.push_back(bench::lapMilliseconds(timer));

        check::LogicErrorList errors;
        check::PageRuleCheck rules(connection, explainer, generated.ui, errors,
                                   [&values](const QString& name) { return values.number(name); });
        rules.CheckAllPages();
        times.rules.push_back(bench::lapMilliseconds(timer));

        entry::WriteRecord(connection, values.written(),
                           errors.isEmpty() ? entry::SaveKind::FormalClean
                                            : entry::SaveKind::FormalWithErrors,
                           false, code);
        times.write.push_back(bench::lapMilliseconds(timer));

        list.requeryAndGoTo(code);
        (void)list.value(list.currentRow(), 0);
        times.requery.push_back(bench::lapMilliseconds(timer));

        (void)entry::NextUnitCode(connection);
        times.nextCode.push_back(bench::lapMilliseconds(timer));
    }
    const double total = bench::median(times.read) + bench::median(times.rules) +
                         bench::median(times.write) + bench::median(times.requery) +
                         bench::median(times.nextCode);
    printf("%7d records: read the row %5.2f ms | page rules %6.2f ms | write %5.2f ms | "
           "list re-query %6.2f ms | next code %5.2f ms | a save in all %6.1f ms\n",
           count, bench::median(times.read), bench::median(times.rules), bench::median(times.write),
           bench::median(times.requery), bench::median(times.nextCode), total);
    fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    return bench::measureEachCount(argc, argv, measure);
}
