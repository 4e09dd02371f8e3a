#pragma once

#include <QString>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::sum {

// The sort order a group keeps for its items (ct_group.orderstr) as it may
// be used in a statement: a column of view_group_item, a space and ASC or
// DESC. Anything else (an empty text, or whatever an imported group file
// carries) is "id ASC".
QString SafeItemOrder(const QString& stored);

// One item of a group as the summation reads it from view_group_item.
struct GroupItem {
    qint64 id = 0;
    QString title;
    QString lowValue;  // ">=110000000000"
    QString highValue; // "<120000000000"
};

// The group's stored order, made safe.
QString GroupItemOrder(db::Connection& connection, qint64 groupId);

// The items of group `groupId` (every group's for 0) in the group's own order.
std::vector<GroupItem> ReadGroupItems(db::Connection& connection, qint64 groupId);

} // namespace kestrune::sum
