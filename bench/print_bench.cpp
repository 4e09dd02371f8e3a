// Printing one record's annual report in generated databases of 1,000 and
// 100,000 records, step by step: opening the print template, filling it from
// the record's row of view_data page by page, and saving the workbook that is
// handed over. Each step is the median of 21 prints of the same record; the
// whole must stay under 0.3 s.
//
//   kestrune-print-bench [COUNT...]     (default: 1000 100000)

#include "BenchSupport.h"
#include "exchange/AnnualReport.h"
#include "schema/Connection.h"
#include "workbook/Workbook.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kestrune;

namespace {

constexpr int kPrints = 21;

void measure(int count) {
    bench::GeneratedDatabase generated(count);
    if (!generated.opened)
        return;
    db::Connection& connection = generated.connection();
    const double code =
        connection
            .scalar(QStringLiteral("select c901 from dt_data order by c901 limit 1 offset ?"),
                    {count / 2})
            .toDouble();
    const QString out = generated.dir.filePath(QStringLiteral("report.xlsx"));

    std::vector<double> open, fill, save, whole;
    QElapsedTimer timer, total;
    for (int print = 0; print < kPrints; ++print) {
        total.start();
        timer.start();
        workbook::Workbook book = workbook::Workbook::open(exchange::PrintTemplatePath());
        open.push_back(bench::lapMilliseconds(timer));
        exchange::FillAnnualReport(book, connection, generated.ui, code);
        fill.push_back(bench::lapMilliseconds(timer));
        book.save(out);
        save.push_back(bench::lapMilliseconds(timer));
        whole.push_back(double(total.nsecsElapsed()) / 1e6);
    }
    printf("%d records, record %s: open template %.1f ms, fill %.1f ms, save %.1f ms, "
           "whole print %.1f ms (target < 300 ms), workbook %lld bytes\n",
           count, qPrintable(exchange::UnitCodeText(code)), bench::median(open),
           bench::median(fill), bench::median(save), bench::median(whole), QFileInfo(out).size());
    fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    return bench::measureEachCount(argc, argv, measure);
}
