#pragma once

#include "CodeList.h"

#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

class RecordList;

inline const QString kNothingFound = QStringLiteral("没有找到满足条件的数据");
inline const QString kCodeNeeds12Digits = QStringLiteral("编码必须为12位");
inline const QString kNeedOneCondition = QStringLiteral("请至少输入一个条件");

// The locate dialog's two searches. Each makes the found record the list's
// current row, or returns the message to show.
enum class LocateResult { Found, NotFound, WrongLength };
LocateResult LocateByCode(RecordList& list, const QString& codeText);
// The name is matched with like '%text%', the text passed as a value.
LocateResult LocateByName(RecordList& list, db::Connection& connection, const QString& name);
QString LocateMessage(LocateResult result);

// The number-range search's operator and conjunction lists.
const TMenuItemDataArray& RangeOperators();    // 1 "=", 2 ">", 3 "<", 4 ">=", 5 "<="
const TMenuItemDataArray& RangeConjunctions(); // 1 "和", 2 "或"

// "where c901>=100000000001 AND c901<=100000000009"; when only the second
// number is given, only the second comparison. Nothing when both are blank.
// Numbers come from digit-only edits and are written in their shortest form.
std::optional<QString> NumberRangeCondition(const QString& first, int firstOperator,
                                            int conjunction, const QString& second,
                                            int secondOperator);

} // namespace kestrune::shell
