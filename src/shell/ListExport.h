#pragma once

#include "ExportQuery.h"
#include "ExportTableList.h"
#include "RecordColumns.h"

#include <QString>
#include <optional>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

class UserInteraction;

inline const QString kMissingUnitRangeMessage = QStringLiteral("请输入单位编号的范围");
inline const QString kInvalidGroupMessage = QStringLiteral("自定义分组不正确");

// A row of DT_GroupItem: a band of unit codes between two boundaries.
struct GroupItem {
    qint64 id = 0;
    QString title;
    double lowBoundary = 0;
    double highBoundary = 0;
    QString lowSymbol;
    QString highSymbol;
};

std::vector<GroupItem> ReadGroupItems(db::Connection& connection);
std::optional<GroupItem> ReadGroupItem(db::Connection& connection, qint64 id);

// Which records the list export writes.
enum class ListExportChoice { AllRecords, UnitRange, Group };

struct ListExportRequest {
    ListExportChoice choice = ListExportChoice::AllRecords;
    QString fromText; // the "从" and "到" edits
    QString toText;
    std::optional<GroupItem> group;
};

// The statement for a request, or the message that stands in its way.
struct ListStatement {
    std::optional<ExportQuery> query;
    QString message;
    // The "到" edit must show this text (a second number below the first).
    std::optional<QString> raisedToText;
};

// ",z001,z002,..." for the checked tables: the catalogue fields whose name
// holds the table's letter, in sequence order; empty when none is checked.
QString CollectExportFields(db::Connection& connection, const std::vector<ExportTable>& tables);

// The statement over dt_data: the cover columns c901..c907 and RecordState,
// then `fields`, in unit-code order; the range and the group's boundaries
// are bound values.
ListStatement BuildListStatement(db::Connection& connection, const QString& fields,
                                 const ListExportRequest& request);

// One descriptor per result column, each written under its own name.
TFieldDataArray ResultDescriptors(const ExportQuery& query);

// The sheet's name and the base of the proposed file name.
QString ListExportName(const QString& label);

// The statement and descriptors the list export writes, or nothing after a
// message has told the person why not.
struct PreparedListExport {
    ExportQuery query;
    TFieldDataArray descriptors;
};
std::optional<PreparedListExport> PrepareListExport(db::Connection& connection,
                                                    const std::vector<ExportTable>& tables,
                                                    const ListExportRequest& request,
                                                    UserInteraction& ui,
                                                    std::optional<QString>* raisedToText = nullptr);

} // namespace kestrune::shell

namespace kestrune::shell {

// "返  回" keeps the state of the hidden "只导出显示的部分" box as "CheckBox1".
void StoreShownPartChoice(bool checked);
bool ReadShownPartChoice();

} // namespace kestrune::shell
