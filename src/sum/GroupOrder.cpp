#include "GroupOrder.h"

#include "schema/Connection.h"
#include "schema/Dataset.h"

#include <QRegularExpression>
#include <QStringList>

namespace kestrune::sum {

namespace {

const QString kDefaultOrder = QStringLiteral("id ASC");

const QStringList& itemColumns() {
    static const QStringList columns = {
        QStringLiteral("id"),          QStringLiteral("GroupID"),      QStringLiteral("Title"),
        QStringLiteral("LowBoundary"), QStringLiteral("HighBoundary"), QStringLiteral("LowSymbol"),
        QStringLiteral("HighSymbol"),  QStringLiteral("LowValue"),     QStringLiteral("HighValue")};
    return columns;
}

} // namespace

QString SafeItemOrder(const QString& stored) {
    const QStringList words =
        stored.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.size() != 2)
        return kDefaultOrder;
    int found = -1;
    for (int i = 0; i < itemColumns().size(); ++i)
        if (itemColumns()[i].compare(words[0], Qt::CaseInsensitive) == 0)
            found = i;
    const QString direction = words[1].toUpper();
    if (found < 0 || (direction != QLatin1String("ASC") && direction != QLatin1String("DESC")))
        return kDefaultOrder;
    return itemColumns()[found] + QLatin1Char(' ') + direction;
}

QString GroupItemOrder(db::Connection& connection, qint64 groupId) {
    const QVariant stored =
        connection.scalar(QStringLiteral("select orderstr from ct_group where id=?"), {groupId});
    return SafeItemOrder(stored.toString());
}

std::vector<GroupItem> ReadGroupItems(db::Connection& connection, qint64 groupId) {
    // The order is one of the view's own columns and a direction (checked
    // above), so it may stand in the text; the id is bound.
    const QString order = GroupItemOrder(connection, groupId);
    db::Dataset rows =
        groupId == 0
            ? connection.query(QStringLiteral("select id, Title, LowValue, HighValue from "
                                              "view_group_item order by ") +
                               order)
            : connection.query(QStringLiteral("select id, Title, LowValue, HighValue from "
                                              "view_group_item where groupid=? order by ") +
                                   order,
                               {groupId});
    std::vector<GroupItem> items;
    for (; !rows.eof(); rows.next())
        items.push_back({rows.field(QStringLiteral("id")).asInteger(),
                         rows.field(QStringLiteral("Title")).asText(),
                         rows.field(QStringLiteral("LowValue")).asText(),
                         rows.field(QStringLiteral("HighValue")).asText()});
    return items;
}

} // namespace kestrune::sum
