// Builds a database file of the survey layout from the text sources in data/:
// SQL files for the layout, one CSV file per table for the rows.
//
//   kestrune-mkdb OUT [--protect] [--schema FILE.sql]... [--table TABLE.csv]...
//
// With --protect the result is sealed with the database password. OUT is
// replaced only when everything succeeded.

#include "CsvReader.h"
#include "schema/DerivedKeys.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/ProtectedFile.h"
#include "schema/SqlText.h"
#include "schema/Transaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using namespace kestrune;

namespace {

void loadTable(db::Connection& connection, const QString& csvPath) {
    const QString table = QFileInfo(csvPath).completeBaseName();
    const data::CsvTable rows = data::readCsvFile(csvPath);
    QStringList names, marks;
    for (const QString& column : rows.columns) {
        names << db::quoteName(column);
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(db::quoteName(table), names.join(','), marks.join(','));
    for (const auto& row : rows.rows) {
        try {
            connection.execute(sql, QVariantList(row.begin(), row.end()));
        } catch (const db::EngineError& e) {
            throw db::EngineError(
                QStringLiteral("%1: %2 (%3)").arg(csvPath, e.text(), row.value(0).toString()));
        }
    }
}

void build(const QString& out, bool protect, const QStringList& schemas,
           const QStringList& tables) {
    const QString work = out + QStringLiteral(".building");
    QFile::remove(work);
    try {
        db::createDatabase(work);
        db::Connection connection;
        connection.open(work);
        {
            db::Transaction transaction(connection);
            for (const QString& schema : schemas)
                connection.executeScript(QString::fromUtf8(db::readFileContents(schema)));
            for (const QString& table : tables)
                loadTable(connection, table);
            transaction.commit();
        }
        connection.executeScript(QStringLiteral("VACUUM"));
        connection.close();
        const QByteArray bytes = db::readFileContents(work);
        if (protect)
            db::ProtectedFile::write(out, bytes, db::databasePassword());
        else
            db::replaceFileContents(out, bytes);
        QFile::remove(work);
    } catch (...) {
        QFile::remove(work);
        throw;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << "usage: kestrune-mkdb OUT [--protect] [--schema FILE.sql]... [--table "
               "TABLE.csv]...\n";
        return 2;
    }
    const QString out = args.takeFirst();
    bool protect = false;
    QStringList schemas, tables;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--protect")) {
            protect = true;
        } else if ((option == QLatin1String("--schema") || option == QLatin1String("--table")) &&
                   !args.isEmpty()) {
            (option == QLatin1String("--schema") ? schemas : tables) << args.takeFirst();
        } else {
            err << "kestrune-mkdb: unexpected argument " << option << '\n';
            return 2;
        }
    }
    try {
        build(out, protect, schemas, tables);
    } catch (const db::EngineError& e) {
        err << "kestrune-mkdb: " << e.text() << '\n';
        return 1;
    }
    return 0;
}
