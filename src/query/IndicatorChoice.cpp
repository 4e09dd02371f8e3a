#include "IndicatorChoice.h"

#include "schema/Connection.h"
#include "schema/Dataset.h"

namespace kestrune::query {

std::vector<SurveySheet> ReadSurveySheets(db::Connection& connection) {
    db::Dataset rows = connection.query(QStringLiteral(
        "select CodeID, CodeName from ct_sheetName where CodeID>=0 order by CodeID"));
    std::vector<SurveySheet> sheets;
    for (; !rows.eof(); rows.next())
        sheets.push_back({rows.value(0).toInt(), rows.value(1).toString()});
    return sheets;
}

QStringList ReadSheetIndicators(db::Connection& connection, int sheet) {
    db::Dataset rows = connection.query(
        QStringLiteral("select codename from view_datasearch where PageID=? order by sequence"),
        {sheet});
    QStringList names;
    for (; !rows.eof(); rows.next())
        names << rows.value(0).toString().trimmed();
    return names;
}

} // namespace kestrune::query
