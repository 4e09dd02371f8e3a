// Times the list export of generated records with every table checked:
//
//     kestrune-list-export-bench [RECORDS...]     (default: 10000 100000)
//
// Each count runs in a process of its own, so that the peak memory
// (getrusage maxrss) is that count's alone; besides the peak, the resident
// memory is sampled while rows are written, to show it flat in the row count.
// The workbook is written as the window writes it, to a temporary folder.

#include "BenchSupport.h"
#include "shell/ExcelExport.h"
#include "shell/ListExport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace kestrune;

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Samples the resident memory at every step of the export.
class SamplingInteraction : public bench::SilentInteraction {
public:
    void progressStep() override {
        if (++steps_ % 1000 == 0)
            highest = std::max(highest, residentKilobytes());
    }
    void showMessage(const QString&, shell::MessageKind) override {}
    long highest = 0;

private:
    long steps_ = 0;
};

void measure(int count) {
    bench::GeneratedDatabase generated(count);
    if (!generated.opened)
        return;
    std::vector<shell::ExportTable> tables = shell::StandardExportTables();
    SamplingInteraction ui;
    const auto prepared =
        shell::PrepareListExport(generated.connection(), tables, shell::ListExportRequest{}, ui);
    const QString path = generated.dir.filePath(QStringLiteral("list.xlsx"));
    const long before = residentKilobytes();
    ui.highest = before;
    shell::ExcelExportJob job(prepared->query, shell::ListExportName(QStringLiteral("基准")),
                              prepared->descriptors, path, QDate::currentDate());
    QElapsedTimer timer;
    timer.start();
    job.start();
    while (job.step()) {
        ui.highest = std::max(ui.highest, residentKilobytes());
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    // Every column of every row, written or left empty where the value is null.
    const double cells = double(job.done()) * double(prepared->descriptors.size());
    std::printf("%7d records x %zu columns: %.2f s, %.2f million cells/s, file %.1f MB\n", count,
                prepared->descriptors.size(), seconds, cells / seconds / 1e6,
                QFileInfo(path).size() / 1e6);
    std::printf("         resident before %ld KB, highest while writing %ld KB (+%ld KB), "
                "peak (maxrss) %ld KB\n",
                before, ui.highest, ui.highest - before, peakKilobytes());
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.size() == 1)
        measure(counts.first().toInt());
    else {
        if (counts.isEmpty())
            counts = {QStringLiteral("10000"), QStringLiteral("100000")};
        for (const QString& count : counts) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(app.applicationFilePath(), {count});
            child.waitForFinished(-1);
        }
    }
    return 0;
}
