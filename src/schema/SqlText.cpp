#include "SqlText.h"

#include "EngineError.h"

#include <QRegularExpression>

namespace kestrune::db {

QString formatUnitCode(double code) {
    return QString::asprintf("%.2f", code);
}

QString quoteName(const QString& name) {
    QString inner = name;
    inner.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + inner + QLatin1Char(']');
}

QString checkedSchemaName(const QString& schema) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!pattern.match(schema).hasMatch())
        throw EngineError(QStringLiteral("不合法的数据库别名: ") + schema);
    return schema;
}

} // namespace kestrune::db
