#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::sum {

inline const QString kGroupNameCaption = QStringLiteral("自定义分组");
inline const QString kGroupNamePrompt = QStringLiteral("输入本种分组方式的名称");
inline const QString kDeleteConfirmation = QStringLiteral("数据将被彻底删除，确认么？");
inline const QString kItemNameMissing = QStringLiteral("必须输入本组数据的名称！");
inline const QString kBoundsOutOfOrder = QStringLiteral("上限必须大于下限！");

// One user-defined group as the group list shows it.
struct GroupRow {
    qint64 id = 0;
    QString name;
    QString order;
};

// The group list, in the order of ct_group.
std::vector<GroupRow> ReadGroups(db::Connection& connection);

// "增  加": the name asked for again and again while it is empty (at most 255
// characters are kept); Cancel gives nothing and changes nothing. The new
// group, ordered "id ASC", is appended and its id returned.
std::optional<qint64> AddGroup(db::Connection& connection, shell::UserInteraction& ui);
// "除  去": asks, then deletes the group's row; true when deleted.
bool RemoveGroup(db::Connection& connection, shell::UserInteraction& ui, qint64 groupId);
// "保  存" of the item editor: the group's new name.
void RenameGroup(db::Connection& connection, qint64 groupId, const QString& name);

// The comparisons of a group item's bounds, as the pick-lists number them:
// lower 1 = ">", 2 = ">="; upper 1 = "<", 2 = "<=".
QString LowSymbolText(int choice);
QString HighSymbolText(int choice);
int LowSymbolChoice(const QString& symbol);
int HighSymbolChoice(const QString& symbol);

// The item editor's edits.
struct GroupItemEdits {
    QString title;
    int lowSymbol = 2; // ">="
    double low = 0;
    int highSymbol = 1; // "<"
    double high = 0;
};

// One row of the item editor's grid.
struct GroupItemRow {
    qint64 id = 0;
    QString title;
    QString lowValue;
    QString highValue;
    GroupItemEdits edits;
};

// The items of one group in the item editor: the grid in its sort order,
// adding, changing and removing with the two checks, and the sort by a
// column title, stored as the group's order.
class GroupItemEditor {
public:
    // The grid's columns: title, LowValue, HighValue.
    static constexpr int kColumns = 3;

    GroupItemEditor(db::Connection& connection, qint64 groupId);

    qint64 groupId() const { return groupId_; }
    const std::vector<GroupItemRow>& rows() const { return rows_; }
    // Re-reads the grid in its current sort.
    void reload();

    // Whether "增  加" may be pressed: a name, and the lower bound below the upper.
    static bool EditsComplete(const GroupItemEdits& edits);
    // The two checks of saving, in order; the message, or empty when none.
    static QString CheckEdits(const GroupItemEdits& edits);

    // Save: the check's message is shown and nothing is saved when it fails.
    bool add(const GroupItemEdits& edits, shell::UserInteraction& ui);
    bool change(int row, const GroupItemEdits& edits, shell::UserInteraction& ui);
    // Asks, then deletes the row's item.
    bool remove(int row, shell::UserInteraction& ui);

    // A click on a column's title: the first sorts descending, later clicks
    // alternate. The new order is stored as the group's and the grid
    // re-read.
    void sortBy(int column);
    // The column sorted by a click since the editor opened, -1 for none.
    int sortedColumn() const { return sortedColumn_; }
    bool ascending() const { return ascending_; }
    // A column's title with the sort mark of the last click.
    QString columnTitle(int column) const;

private:
    db::Connection& connection_;
    qint64 groupId_;
    std::vector<GroupItemRow> rows_;
    QString order_ = QStringLiteral("id ASC");
    int sortedColumn_ = -1;
    bool ascending_ = true; // as if an ascending sort had just been made
};

} // namespace kestrune::sum
