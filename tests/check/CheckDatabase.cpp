#include "CheckDatabase.h"

#include "schema/Connection.h"

#include <QDir>
#include <QStringEncoder>
#include <QStringList>

namespace kestrune::testing {

CheckDatabase::CheckDatabase() : oldTemp_(qgetenv("TEMP")) {
    qputenv("TEMP", temp_.path().toUtf8());
}

CheckDatabase::~CheckDatabase() {
    if (oldTemp_.isNull())
        qunsetenv("TEMP");
    else
        qputenv("TEMP", oldTemp_);
}

QString CheckDatabase::reportPath() const {
    return QDir(temp_.path())
        .filePath(QStringLiteral("2020基层以上-") + label() + QStringLiteral("-逻辑检查结果.txt"));
}

void CheckDatabase::addRecord(double code, const QString& name, const QVariantMap& values,
                              int level, int reportingState, const QVariant& recordState) {
    QStringList columns = {"c901", "c902", "c903", "c904", "c907", "RecordState"};
    QVariantList params = {code, name, 110101, level, reportingState, recordState};
    for (auto it = values.begin(); it != values.end(); ++it) {
        columns << it.key();
        params << it.value();
    }
    const QString slots = QStringList(QList<QString>(columns.size(), "?")).join(',');
    connection().execute("insert into dt_data (" + columns.join(',') + ") values (" + slots + ")",
                         params);
}

QVariant CheckDatabase::recordState(double code) {
    return connection().scalar("select RecordState from dt_data where c901=?", {code});
}

void CheckDatabase::setCaption(const QString& field, const QString& caption) {
    connection().execute("update dt_fieldlist set Hint=? where FieldName=?", {caption, field});
}

QByteArray gbkLines(const QStringList& lines) {
    QStringEncoder gbk("GBK");
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += gbk.encode(line) + QByteArray("\r\n");
    return bytes;
}

} // namespace kestrune::testing
