#include "SumDatabase.h"

#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "sum/SummaryWorkbook.h"

#include <QFile>

namespace kestrune::testing {

SumDatabase::SumDatabase() {
    QFile::copy(builtProgramFile(sum::kSummaryTemplateName), env.path(sum::kSummaryTemplateName));
}

void SumDatabase::addRecord(double code, const QVariant& level, const QVariant& state,
                            const std::vector<std::pair<QString, QVariant>>& values) {
    QString columns = QStringLiteral("c901, c902, c904, c907");
    QString marks = QStringLiteral("?, ?, ?, ?");
    QVariantList params = {code, QStringLiteral("测试工会"), level, state};
    for (const auto& [field, value] : values) {
        columns += QStringLiteral(", ") + field;
        marks += QStringLiteral(", ?");
        params << value;
    }
    connection().execute(QStringLiteral("insert into dt_data (%1) values (%2)").arg(columns, marks),
                         params);
}

qint64 SumDatabase::addGroup(const QString& name, const QString& order,
                             const std::vector<Item>& items) {
    connection().execute(QStringLiteral("insert into ct_group (Name, orderstr) values (?, ?)"),
                         {name, order});
    const qint64 id = connection().lastInsertRowId();
    for (const Item& item : items)
        connection().execute(
            QStringLiteral("insert into DT_GroupItem (GroupID, Title, LowSymbol, LowBoundary, "
                           "HighSymbol, HighBoundary) values (?, ?, ?, ?, ?, ?)"),
            {id, item.title, item.lowSymbol, item.low, item.highSymbol, item.high});
    return id;
}

std::vector<std::vector<QVariant>> SumDatabase::rows(const QString& sql) {
    std::vector<std::vector<QVariant>> result;
    db::Dataset data = connection().query(sql);
    for (; !data.eof(); data.next()) {
        std::vector<QVariant> row;
        for (int c = 0; c < data.columnCount(); ++c)
            row.push_back(data.value(c));
        result.push_back(std::move(row));
    }
    return result;
}

std::vector<sum::Aggregate> SumDatabase::aggregates(const std::vector<QVariant>& row,
                                                    size_t first) {
    std::vector<sum::Aggregate> values;
    for (size_t c = first; c < row.size(); ++c)
        values.push_back(row[c].isNull() ? sum::Aggregate() : sum::Aggregate(row[c].toDouble()));
    return values;
}

} // namespace kestrune::testing
