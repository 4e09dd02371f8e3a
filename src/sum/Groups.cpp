#include "Groups.h"

#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "shell/UserInteraction.h"

namespace kestrune::sum {

namespace {

constexpr int kNameLength = 255;

const QString kColumnFields[GroupItemEditor::kColumns] = {
    QStringLiteral("Title"), QStringLiteral("LowValue"), QStringLiteral("HighValue")};
const QString kColumnTitles[GroupItemEditor::kColumns] = {
    QStringLiteral("数据项目名称"), QStringLiteral("编号下限"), QStringLiteral("编号上限")};

} // namespace

std::vector<GroupRow> ReadGroups(db::Connection& connection) {
    std::vector<GroupRow> groups;
    db::Dataset rows = connection.query(QStringLiteral("SELECT ID, Name,orderstr FROM ct_group;"));
    for (; !rows.eof(); rows.next())
        groups.push_back({rows.field(QStringLiteral("ID")).asInteger(),
                          rows.field(QStringLiteral("Name")).asText(),
                          rows.field(QStringLiteral("orderstr")).asText()});
    return groups;
}

std::optional<qint64> AddGroup(db::Connection& connection, shell::UserInteraction& ui) {
    QString name;
    while (name.isEmpty()) {
        const std::optional<QString> answer =
            ui.inputText(kGroupNameCaption, kGroupNamePrompt, QString());
        if (!answer)
            return std::nullopt;
        name = answer->left(kNameLength);
    }
    connection.execute(QStringLiteral("insert into ct_group (name, orderstr) values (?, 'id ASC')"),
                       {name});
    return connection.scalar(QStringLiteral("select max(id) as GroupID from ct_group"))
        .toLongLong();
}

bool RemoveGroup(db::Connection& connection, shell::UserInteraction& ui, qint64 groupId) {
    if (!ui.confirm(kDeleteConfirmation))
        return false;
    connection.execute(QStringLiteral("delete from ct_group where id=?"), {groupId});
    return true;
}

void RenameGroup(db::Connection& connection, qint64 groupId, const QString& name) {
    connection.execute(QStringLiteral("update ct_group set name=? where id=?"), {name, groupId});
}

QString LowSymbolText(int choice) {
    return choice == 1 ? QStringLiteral(">") : QStringLiteral(">=");
}

QString HighSymbolText(int choice) {
    return choice == 2 ? QStringLiteral("<=") : QStringLiteral("<");
}

int LowSymbolChoice(const QString& symbol) {
    return symbol.trimmed() == QLatin1String(">") ? 1 : 2;
}

int HighSymbolChoice(const QString& symbol) {
    return symbol.trimmed() == QLatin1String("<=") ? 2 : 1;
}

GroupItemEditor::GroupItemEditor(db::Connection& connection, qint64 groupId)
    : connection_(connection), groupId_(groupId) {
    reload();
}

void GroupItemEditor::reload() {
    rows_.clear();
    // The order is one of the grid's own fields and a direction.
    db::Dataset rows = connection_.query(
        QStringLiteral("SELECT * from view_group_item where GroupID=? order by ") + order_,
        {groupId_});
    for (; !rows.eof(); rows.next()) {
        GroupItemRow row;
        row.id = rows.field(QStringLiteral("id")).asInteger();
        row.title = rows.field(QStringLiteral("Title")).asText();
        row.lowValue = rows.field(QStringLiteral("LowValue")).asText();
        row.highValue = rows.field(QStringLiteral("HighValue")).asText();
        row.edits.title = row.title;
        row.edits.lowSymbol = LowSymbolChoice(rows.field(QStringLiteral("LowSymbol")).asText());
        row.edits.highSymbol = HighSymbolChoice(rows.field(QStringLiteral("HighSymbol")).asText());
        row.edits.low = rows.value(QStringLiteral("LowBoundary")).toDouble();
        row.edits.high = rows.value(QStringLiteral("HighBoundary")).toDouble();
        rows_.push_back(row);
    }
}

bool GroupItemEditor::EditsComplete(const GroupItemEdits& edits) {
    return !edits.title.isEmpty() && edits.low < edits.high;
}

QString GroupItemEditor::CheckEdits(const GroupItemEdits& edits) {
    if (edits.title.isEmpty())
        return kItemNameMissing;
    if (!(edits.high > edits.low))
        return kBoundsOutOfOrder;
    return QString();
}

bool GroupItemEditor::add(const GroupItemEdits& edits, shell::UserInteraction& ui) {
    const QString fault = CheckEdits(edits);
    if (!fault.isEmpty()) {
        ui.showMessage(fault, shell::MessageKind::Warning);
        return false;
    }
    connection_.execute(
        QStringLiteral("insert into DT_GroupItem (Title, GroupID, LowBoundary, HighBoundary, "
                       "LowSymbol, HighSymbol) values (?, ?, ?, ?, ?, ?)"),
        {edits.title, groupId_, edits.low, edits.high, LowSymbolText(edits.lowSymbol),
         HighSymbolText(edits.highSymbol)});
    reload();
    return true;
}

bool GroupItemEditor::change(int row, const GroupItemEdits& edits, shell::UserInteraction& ui) {
    if (row < 0 || size_t(row) >= rows_.size())
        return false;
    const QString fault = CheckEdits(edits);
    if (!fault.isEmpty()) {
        ui.showMessage(fault, shell::MessageKind::Warning);
        return false;
    }
    connection_.execute(QStringLiteral("update DT_GroupItem set Title=?, GroupID=?, LowBoundary=?, "
                                       "HighBoundary=?, LowSymbol=?, HighSymbol=? where id=?"),
                        {edits.title, groupId_, edits.low, edits.high,
                         LowSymbolText(edits.lowSymbol), HighSymbolText(edits.highSymbol),
                         rows_[size_t(row)].id});
    reload();
    return true;
}

bool GroupItemEditor::remove(int row, shell::UserInteraction& ui) {
    if (row < 0 || size_t(row) >= rows_.size() || !ui.confirm(kDeleteConfirmation))
        return false;
    connection_.execute(QStringLiteral("delete from DT_GroupItem where id=?"),
                        {rows_[size_t(row)].id});
    reload();
    return true;
}

void GroupItemEditor::sortBy(int column) {
    if (column < 0 || column >= kColumns)
        return;
    ascending_ = !ascending_;
    sortedColumn_ = column;
    order_ =
        kColumnFields[column] + (ascending_ ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    connection_.execute(QStringLiteral("update CT_Group set orderstr=? where id=?"),
                        {order_, groupId_});
    reload();
}

QString GroupItemEditor::columnTitle(int column) const {
    if (column < 0 || column >= kColumns)
        return QString();
    if (column != sortedColumn_)
        return kColumnTitles[column];
    return kColumnTitles[column] + (ascending_ ? QStringLiteral("▲") : QStringLiteral("▼"));
}

} // namespace kestrune::sum
