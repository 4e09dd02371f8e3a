#include "CsvReader.h"

#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"

namespace kestrune::data {

namespace {

[[noreturn]] void fail(const QString& source, int line, const QString& what) {
    throw db::EngineError(QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(what));
}

} // namespace

CsvTable parseCsv(const QByteArray& utf8, const QString& sourceName) {
    const QString text = QString::fromUtf8(utf8);
    CsvTable table;
    QVector<QVariant> record;
    QString field;
    bool quoted = false;   // the current field began with a quote
    bool inQuotes = false; // inside the quoted part
    bool fieldStarted = false;
    int line = 1;
    int recordLine = 1;

    auto endField = [&] {
        record << (quoted || !field.isEmpty() ? QVariant(field) : QVariant());
        field.clear();
        quoted = inQuotes = fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        if (table.columns.isEmpty()) {
            for (const QVariant& v : record)
                table.columns << v.toString().trimmed();
        } else if (!(record.size() == 1 && record[0].isNull())) {
            if (record.size() != table.columns.size())
                fail(sourceName, recordLine,
                     QStringLiteral("有 %1 个字段，应为 %2 个")
                         .arg(record.size())
                         .arg(table.columns.size()));
            table.rows << record;
        }
        record.clear();
        recordLine = line;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = inQuotes = fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r')) {
            // CR LF ends a record like LF.
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRecord();
        } else {
            if (quoted)
                fail(sourceName, line, QStringLiteral("引号后面有多余的字符"));
            field += c;
            fieldStarted = true;
        }
    }
    if (inQuotes)
        fail(sourceName, line, QStringLiteral("引号没有结束"));
    if (fieldStarted || !record.isEmpty())
        endRecord();
    return table;
}

CsvTable readCsvFile(const QString& path) {
    return parseCsv(db::readFileContents(path), path);
}

} // namespace kestrune::data
