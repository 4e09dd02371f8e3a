#include "ExportQuery.h"

#include "UserInteraction.h"
#include "schema/Connection.h"

#include <QRegularExpression>

namespace kestrune::shell {

qint64 CountQueryRows(const ExportQuery& query) {
    return query.connection
        ->scalar(QStringLiteral("select count(*) from (") + query.sql + QStringLiteral(")"),
                 query.params)
        .toLongLong();
}

ColumnKind ColumnKindOf(const QString& declaredType) {
    const QString type = declaredType.toUpper();
    auto has = [&type](const char* part) {
        return type.contains(QLatin1String(part));
    };
    if (type.isEmpty())
        return ColumnKind::Other;
    if (has("DATETIME") || has("TIMESTAMP"))
        return ColumnKind::DateTime;
    if (has("DATE"))
        return ColumnKind::Date;
    if (has("TIME"))
        return ColumnKind::Time;
    if (has("BOOL") || has("BIT") || has("YESNO"))
        return ColumnKind::Boolean;
    if (has("CHAR") || has("TEXT") || has("CLOB") || has("MEMO") || has("STRING"))
        return ColumnKind::Text;
    if (has("BLOB") || has("BINARY"))
        return ColumnKind::Bytes;
    if (has("BIGINT") || has("INT64") || has("COUNTER") || has("AUTOINC"))
        return ColumnKind::LargeInteger;
    if (has("INT") || has("SHORT") || has("LONG"))
        return ColumnKind::Integer;
    if (has("REAL") || has("DOUB") || has("FLOA") || has("MONEY") || has("CURRENCY") ||
        has("DECIMAL") || has("NUMERIC"))
        return ColumnKind::Decimal;
    return ColumnKind::Other;
}

int DeclaredTextSize(const QString& declaredType) {
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const auto match = size.match(declaredType);
    const int declared = match.hasMatch() ? match.captured(1).toInt() : 0;
    return declared > 0 ? declared : 255;
}

QString ExportCaption(qint64 done, qint64 total) {
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    return kExportCaptionPrefix + QString::number(percent) + QLatin1Char('%');
}

void ExportCaptionShown::show(qint64 done, qint64 total) {
    if (!ui_)
        return;
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    if (percent != shownPercent_) {
        shownPercent_ = percent;
        ui_->progressCaption(ExportCaption(done, total));
    }
}

} // namespace kestrune::shell
