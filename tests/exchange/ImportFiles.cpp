#include "ImportFiles.h"

#include "exchange/ExchangeHeader.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <stdexcept>

namespace kestrune::testing {

namespace {

void copyTemplate(const QString& path) {
    QFile::remove(path);
    if (!QFile::copy(builtProgramFile(QStringLiteral("view.dll")), path))
        throw std::runtime_error("the built template view.dll is missing");
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

void changeStart(const QString& path, FileStart start) {
    switch (start) {
    case FileStart::Scrambled:
        exchange::ScrambleHeader(path);
        break;
    case FileStart::LostSignature: {
        QByteArray bytes = readFile(path);
        bytes.replace(0, 16, QByteArray(16, 'f'));
        writeFile(path, bytes);
        break;
    }
    case FileStart::Plain:
        db::ProtectedFile::removePassword(path, db::databasePassword());
        break;
    }
}

} // namespace

void WriteExchangeFile(const QString& path, const QString& label,
                       const std::vector<SourceRecord>& records, FileStart start) {
    copyTemplate(path);
    {
        db::Connection file;
        file.openProtected(path, db::databasePassword());
        file.begin();
        for (const SourceRecord& record : records)
            file.execute(QStringLiteral("insert into dt_data (c901, c902, RecordState) "
                                        "values (?, ?, 1)"),
                         {record.code, record.name});
        file.execute(QStringLiteral("update ct_label set db_name = ?"), {label});
        file.commit();
        file.saveProtected();
    }
    changeStart(path, start);
}

void WriteExchangeFileFrom(db::Connection& records, const QString& path, const QString& label) {
    copyTemplate(path);
    records.attachProtected(path, QStringLiteral("exported"), db::databasePassword());
    records.begin();
    records.execute(QStringLiteral(
        "insert into exported.dt_data select * from main.dt_data where RecordState = 1"));
    records.execute(QStringLiteral("update exported.ct_label set db_name = ?"), {label});
    records.commit();
    records.saveAttachedProtected(QStringLiteral("exported"), path, db::databasePassword());
    records.detach(QStringLiteral("exported"));
    exchange::ScrambleHeader(path);
}

void DropViews(db::Connection& connection) {
    db::Dataset views =
        connection.query(QStringLiteral("select name from sqlite_master where type = 'view'"));
    QStringList names;
    for (views.first(); !views.eof(); views.next())
        names << views.value(0).toString();
    for (const QString& name : names)
        connection.execute(QStringLiteral("drop view [%1]").arg(name));
}

void AlterExchangeFile(const QString& path, const QString& sql) {
    const bool scrambled = readFile(path).startsWith('\x05');
    if (scrambled)
        exchange::RestoreHeader(path);
    {
        db::Connection file;
        file.openProtected(path, db::databasePassword());
        DropViews(file);
        file.executeScript(sql);
        file.saveProtected();
    }
    if (scrambled)
        exchange::ScrambleHeader(path);
}

} // namespace kestrune::testing
