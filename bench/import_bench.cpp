// Times the data import of an exchange file of 100,000 records against a raw
// INSERT ... SELECT of the same records between two plain files, in one run:
//
//     kestrune-import-bench [RECORDS]
//
// The records are generated into a copy of the built survey database and
// written, every one of state 1, into an exchange file as the offline upload
// export writes it (the template, protected, its start scrambled). The
// import runs as the program runs it, into an empty working database: the
// file read once into memory and its start restored there (the working
// copy), opened without and then with the password, its label confirmed, the
// records copied in one transaction. The baseline
// copies the same records from the plain generated file into another empty
// plain file with one statement.

#include "BenchSupport.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/ImportData.h"
#include "exchange/ImportSource.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

using namespace kestrune;

namespace {

// Confirms every label; messages go to stderr.
class ConfirmingInteraction : public bench::SilentInteraction {
public:
    using bench::SilentInteraction::confirm;
    bool confirm(const QString&, const QString&) override { return true; }
};

QString emptyCopy(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile::copy(QStringLiteral(KESTRUNE_INSTALLED_DATABASE), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    db::ProtectedFile::removePassword(path, db::databasePassword());
    return path;
}

// Every call seals with a fresh salt, as every export does, so that no
// measurement profits from a key derived for an earlier one.
void writeExchangeFile(db::Connection& records, const QString& path) {
    QFile::remove(path);
    QFile::copy(QFileInfo(QStringLiteral(KESTRUNE_INSTALLED_DATABASE)).dir().filePath("view.dll"),
                path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    records.attachProtected(path, QStringLiteral("exported"), db::databasePassword());
    records.begin();
    records.execute(QStringLiteral(
        "insert into exported.dt_data select * from main.dt_data where RecordState = 1"));
    records.execute(QStringLiteral("update exported.ct_label set db_name = '基准'"));
    records.commit();
    records.saveAttachedProtected(QStringLiteral("exported"), path, db::databasePassword());
    records.detach(QStringLiteral("exported"));
    exchange::ScrambleHeader(path);
}

double importSeconds(const QTemporaryDir& dir, const QString& exchangeFile, int run) {
    const QString working = emptyCopy(dir, QStringLiteral("working%1.mdb").arg(run));
    db::Connection connection;
    connection.open(working);
    ConfirmingInteraction ui;
    QElapsedTimer timer;
    timer.start();
    const exchange::ImportResult result = exchange::ImportDataFiles(
        connection, ui, {exchangeFile}, exchange::ImportPrinciple::AbandonAllOnError);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (result.outcome != exchange::ImportOutcome::Imported)
        fprintf(stderr, "the import did not import everything\n");
    return seconds;
}

// Only reading the file: reading it, the restore, decryption, the checks.
double readSeconds(const QTemporaryDir& dir, const QString& exchangeFile, int run) {
    const QString working = emptyCopy(dir, QStringLiteral("read%1.mdb").arg(run));
    db::Connection connection;
    connection.open(working);
    QElapsedTimer timer;
    timer.start();
    const exchange::ReadSourceResult read = exchange::ReadImportSource(exchangeFile, connection);
    if (!read.source)
        fprintf(stderr, "the file could not be read\n");
    return timer.nsecsElapsed() / 1e9;
}

double rawCopySeconds(const QTemporaryDir& dir, const QString& plainSource, int run) {
    const QString target = emptyCopy(dir, QStringLiteral("raw%1.mdb").arg(run));
    db::Connection connection;
    connection.open(target);
    QElapsedTimer timer;
    timer.start();
    connection.attach(plainSource, QStringLiteral("source"));
    connection.begin();
    connection.execute(QStringLiteral("INSERT INTO main.dt_data SELECT * FROM source.dt_data"));
    connection.commit();
    connection.detach(QStringLiteral("source"));
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[]) {
    return bench::measureEachCount(argc, argv, [](int count) {
        bench::GeneratedDatabase generated(count);
        if (!generated.opened)
            return;
        generated.connection().execute(QStringLiteral("update dt_data set RecordState = 1"));
        const QString exchangeFile = generated.dir.filePath(QStringLiteral("exchange.dat"));
        writeExchangeFile(generated.connection(), exchangeFile);
        const QString plainSource = generated.database.currentPath();
        printf("%d records, exchange file %.1f MB\n", count,
               QFileInfo(exchangeFile).size() / 1048576.0);
        // Alternating runs, so that the machine's moods fall on both alike;
        // each reads an exchange file of its own, sealed afresh.
        double import = 1e9, raw = 1e9, read = 1e9;
        for (int run = 0; run < 3; ++run) {
            writeExchangeFile(generated.connection(), exchangeFile);
            const double runRead = readSeconds(generated.dir, exchangeFile, run);
            const double runRaw = rawCopySeconds(generated.dir, plainSource, run);
            writeExchangeFile(generated.connection(), exchangeFile);
            const double runImport = importSeconds(generated.dir, exchangeFile, run);
            printf("  run %d: raw %.3f s, reading %.3f s, import %.3f s (%.2f x)\n", run + 1,
                   runRaw, runRead, runImport, runImport / runRaw);
            read = std::min(read, runRead);
            raw = std::min(raw, runRaw);
            import = std::min(import, runImport);
        }
        printf("  best of 3:\n");
        printf("  raw INSERT ... SELECT between plain files  %.3f s\n", raw);
        printf("  reading the exchange file (read, restore, decrypt, checks)  %.3f s\n", read);
        printf("  data import of the exchange file           %.3f s  (%.2f x)\n", import,
               import / raw);
        fflush(stdout);
    });
}
