#include "SumQueries.h"

#include "SummarySheets.h"

namespace kestrune::sum {

namespace {

QString codeBreakdown(int sheet, const QString& codeTable, const QString& column) {
    return QStringLiteral("select code.name,sum_table.*  from %1 code left join (select %2,")
               .arg(codeTable, column) +
           SumSelectList(sheet) +
           QStringLiteral(" group by %1) sum_table on code.id = sum_table.%1 order by "
                          "code.sequence desc")
               .arg(column);
}

} // namespace

QString LevelBreakdownQuery(int sheet) {
    return codeBreakdown(sheet, QStringLiteral("CT_LevelCode"), QStringLiteral("c904"));
}

QString StateBreakdownQuery(int sheet) {
    return codeBreakdown(sheet, QStringLiteral("ct_state"), QStringLiteral("c907"));
}

QString GroupItemQuery(int sheet, const QString& title, int position, const QString& lowValue,
                       const QString& highValue) {
    QString quoted = title;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral(" select '") + quoted + QStringLiteral("' as ItemName,") +
           QString::number(position) + QStringLiteral(" as sid,") + SumSelectList(sheet) +
           QStringLiteral(" and dt_data.c901") + lowValue + QStringLiteral(" and dt_data.c901") +
           highValue;
}

QString OverallWeightedMeanQuery(int sheet) {
    if (sheet == 22)
        return QStringLiteral("select iif(sum(iif(d017>0,d012,0))>0,sum(d017*d012)/"
                              "sum(iif(d017>0,d012,0)),0)  as sum_d017_cnt from dt_data");
    if (sheet == 23)
        return QStringLiteral("select iif(sum(iif(d031>0,x001,0))>0,sum(d031*x001)/"
                              "sum(iif(d031>0,x001,0)),0)  as sum_d031_cnt from dt_data");
    return QString();
}

QString OverallWeightedMeanField(int sheet) {
    if (sheet == 22)
        return QStringLiteral("sum_d017_cnt");
    if (sheet == 23)
        return QStringLiteral("sum_d031_cnt");
    return QString();
}

} // namespace kestrune::sum
