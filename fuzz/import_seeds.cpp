// Writes the seed corpus of the import fuzzer into the folder given:
//
//     kestrune-import-seeds CORPUS_FOLDER
//
// Exchange files as the offline upload export writes them (the template
// "view.dll" with records and a label, protected, scrambled), the same with
// the signature overwritten and unscrambled, a plain backup, and small plain
// files of only the record and label tables (scrambled and not), so that the
// fuzzer also spends its time on inputs it can change in many places.

#include "FuzzStage.h"
#include "exchange/ExchangeHeader.h"
#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace kestrune;

namespace {

const QString kRecords =
    QStringLiteral("insert into dt_data (c901, c902, c903, RecordState) values "
                   "(110101000001, '东城甲', 3, 1), (110101000003, '东城丙', 2, 1), "
                   "(120102000004, '和平丁', NULL, 1)");

// A plain copy of the exchange template with the records and a label.
QByteArray filledTemplate() {
    const QByteArray plain = db::ProtectedFile::unseal(
        fuzz::ReadWhole(fuzz::BuiltFile(QStringLiteral("view.dll"))), db::databasePassword());
    db::Connection file;
    file.openImage(plain);
    file.execute(kRecords);
    file.execute(QStringLiteral("update ct_label set db_name = '东城区总工会'"));
    const QString scratch = QDir::temp().filePath(QStringLiteral("kestrune-seed.mdb"));
    QFile::remove(scratch);
    file.execute(QStringLiteral("vacuum into ?"), {scratch});
    QByteArray bytes = fuzz::ReadWhole(scratch);
    QFile::remove(scratch);
    return bytes;
}

// Only the record and label tables, in small pages.
QByteArray smallBackup(const QByteArray& full) {
    db::Connection file;
    file.openImage(full);
    for (const QString& table : file.tableNames())
        if (table.compare(QStringLiteral("dt_data"), Qt::CaseInsensitive) != 0 &&
            table.compare(QStringLiteral("ct_label"), Qt::CaseInsensitive) != 0)
            file.execute(QStringLiteral("drop table [%1]").arg(table));
    file.executeScript(QStringLiteral("drop view if exists view_data"));
    const QString scratch = QDir::temp().filePath(QStringLiteral("kestrune-seed-small.mdb"));
    QFile::remove(scratch);
    file.executeScript(QStringLiteral("pragma page_size = 512"));
    file.execute(QStringLiteral("vacuum into ?"), {scratch});
    QByteArray bytes = fuzz::ReadWhole(scratch);
    QFile::remove(scratch);
    return bytes;
}

void write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    fuzz::WriteWhole(folder.filePath(name), bytes);
    printf("%s %lld bytes\n", qPrintable(name), static_cast<long long>(bytes.size()));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        fprintf(stderr, "usage: kestrune-import-seeds CORPUS_FOLDER\n");
        return 2;
    }
    const QDir folder(app.arguments()[1]);
    folder.mkpath(QStringLiteral("."));
    const QByteArray plain = filledTemplate();
    const QByteArray sealed = db::ProtectedFile::seal(plain, db::databasePassword());
    QByteArray scrambled = sealed;
    exchange::ScrambleHeaderBytes(scrambled);
    QByteArray lostSignature = sealed;
    lostSignature.replace(0, 16, QByteArray(16, 'f'));
    const QByteArray small = smallBackup(plain);
    QByteArray smallScrambled = small;
    exchange::ScrambleHeaderBytes(smallScrambled);
    QByteArray smallLostSignature = small;
    smallLostSignature.replace(0, 16, QByteArray(16, 'f'));

    write(folder, QStringLiteral("exchange-scrambled.dat"), scrambled);
    write(folder, QStringLiteral("exchange-lost-signature.dat"), lostSignature);
    write(folder, QStringLiteral("exchange-protected.dat"), sealed);
    write(folder, QStringLiteral("backup.mdb"), plain);
    write(folder, QStringLiteral("small-backup.mdb"), small);
    write(folder, QStringLiteral("small-scrambled.dat"), smallScrambled);
    write(folder, QStringLiteral("small-lost-signature.dat"), smallLostSignature);
    write(folder, QStringLiteral("small-protected.dat"),
          db::ProtectedFile::seal(small, db::databasePassword()));
    return 0;
}
