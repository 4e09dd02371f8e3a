#include "QueryResults.h"

#include "schema/Statement.h"

namespace kestrune::shell {

QString ResultSourceView(const QString& condition) {
    return condition.contains(QLatin1String("y0")) ? QStringLiteral("view_data_all")
                                                   : QStringLiteral("view_data");
}

ExportQuery ResultListQuery(db::Connection& connection, const ResultCondition& condition) {
    return {&connection,
            QStringLiteral("SELECT * from %1 %2 order by c901 asc")
                .arg(ResultSourceView(condition.text), condition.text),
            condition.values};
}

ExportQuery ResultDetailQuery(db::Connection& connection, const ResultCondition& condition) {
    return {&connection,
            QStringLiteral("SELECT * from dt_data %1 order by c901 asc").arg(condition.text),
            condition.values};
}

QString TitleWithoutSortMark(const QString& title) {
    QString bare = title;
    if (bare.endsWith(QChar(0x25B2)) || bare.endsWith(QChar(0x25BC)))
        bare.chop(1);
    return bare.trimmed();
}

namespace {

QString TypeText(const QString& declaredType) {
    switch (ColumnKindOf(declaredType)) {
    case ColumnKind::Text:
        return QStringLiteral("VARCHAR(%1)").arg(DeclaredTextSize(declaredType));
    case ColumnKind::Integer:
    case ColumnKind::LargeInteger:
        return QStringLiteral("INTEGER");
    case ColumnKind::Decimal:
        return QStringLiteral("DOUBLE");
    case ColumnKind::Date:
    case ColumnKind::DateTime:
        return QStringLiteral("DATE");
    default:
        return {};
    }
}

} // namespace

TFieldDataArray ResultListDescriptors(const ExportQuery& listQuery, const TFieldDataArray& columns,
                                      const QStringList& titles) {
    db::Statement statement(*listQuery.connection, listQuery.sql);
    TFieldDataArray descriptors;
    for (size_t c = 0; c < columns.size(); ++c) {
        TFieldData field = columns[c];
        field.FieldName = field.ShowName;
        field.Hint = TitleWithoutSortMark(titles.value(int(c), field.Hint));
        field.FieldType.clear();
        for (int i = 0; i < statement.columnCount(); ++i) {
            if (statement.columnName(i).compare(field.ShowName, Qt::CaseInsensitive) == 0) {
                field.FieldType = TypeText(statement.declaredType(i));
                break;
            }
        }
        field.QueryShow = true;
        descriptors.push_back(field);
    }
    return descriptors;
}

} // namespace kestrune::shell
