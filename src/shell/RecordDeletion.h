#pragma once

#include "CodeRange.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

class RecordList;
class UserInteraction;

inline const QString kDeleteQuestion = QStringLiteral("您确定要删除当前所选择的记录吗?");
inline const QString kDeleteWarning = QStringLiteral("删除操作将不可恢复，您确认继续么？");
inline const QString kDeleteRangeMissing = QStringLiteral("请输入删除的范围");

// Deletes the rows selected in a list from `table` by `keyColumn`, asking
// first: one row (or none selected: the current one) with "是"/"否"; several
// rows one by one in selection order with "否"/"全都是", where "全都是" deletes
// that row and every later one, "否" stops and a closed dialog goes on with
// the next. Before each of these questions the row asked about becomes
// current and `showRow` is called with it, so that the person sees which
// record is meant. After a deletion the list is re-queried on the deleted
// rows' neighbour. True when rows were deleted.
bool DeleteSelectedRecords(RecordList& list, const std::vector<int>& selectedRows,
                           const QString& table, const QString& keyColumn,
                           db::Connection& connection, UserInteraction& ui,
                           const std::function<void(int row)>& showRow = {});

QString DeleteRangeStatement(const CodeRange& range);

// The codes of a list's rows that lie in a range, as a range deletion removes them.
std::vector<double> CodesInRange(const RecordList& list, const CodeRange& range);

// "所有的数据" and "指定单位编号的范围": asked in a warning box first; true when
// the deletion was carried out.
bool DeleteAllRecords(db::Connection& connection, UserInteraction& ui);
bool DeleteRecordRange(const CodeRange& range, db::Connection& connection, UserInteraction& ui);

} // namespace kestrune::shell
