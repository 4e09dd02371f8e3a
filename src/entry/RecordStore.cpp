#include "RecordStore.h"

#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/SqlText.h"
#include "schema/Transaction.h"

#include <QStringList>

namespace kestrune::entry {

shell::RecordState RecordStateFor(SaveKind kind) {
    switch (kind) {
    case SaveKind::Temporary:
        return shell::RecordState::TemporarilySaved;
    case SaveKind::FormalClean:
        return shell::RecordState::SavedWithoutLogicErrors;
    case SaveKind::FormalWithErrors:
        return shell::RecordState::SavedWithLogicErrors;
    }
    return shell::RecordState::TemporarilySaved;
}

double NextUnitCode(db::Connection& connection) {
    return connection.scalar(QStringLiteral("SELECT MAX(c901)+1 as NSI FROM dt_data")).toDouble();
}

QVariantMap ReadStoredRecord(db::Connection& connection, double code) {
    QVariantMap row;
    db::Dataset record =
        connection.query(QStringLiteral("SELECT * from dt_data Where c901=?"), QVariantList{code});
    if (record.isEmpty())
        return row;
    for (int column = 0; column < record.columnCount(); ++column)
        row.insert(record.columnName(column), record.value(column));
    return row;
}

double WriteRecord(db::Connection& connection, const QVariantMap& values, SaveKind kind,
                   bool newRow, double storedCode) {
    QStringList columns;
    QVariantList params;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        columns << db::quoteName(it.key());
        params << it.value();
    }
    columns << shell::kRecordStateField;
    params << int(RecordStateFor(kind));
    db::Transaction transaction(connection);
    if (newRow) {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        connection.execute(QStringLiteral("insert into dt_data (%1) values (%2)")
                               .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                           params);
    } else {
        QStringList sets;
        for (const QString& column : columns)
            sets << column + QStringLiteral("=?");
        params << storedCode;
        const int changed = connection.execute(
            QStringLiteral("update dt_data set %1 where c901=?").arg(sets.join(QLatin1Char(','))),
            params);
        if (changed != 1)
            throw db::EngineError(QStringLiteral("没有找到要保存的记录"));
    }
    transaction.commit();
    return values.value(shell::kUnitCodeField, storedCode).toDouble();
}

QString SaveErrorMessage(const QString& error) {
    return QStringLiteral("保存过程中遇到错误：") + error + QStringLiteral("数据没有被保存。");
}

} // namespace kestrune::entry
