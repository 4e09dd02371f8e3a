#pragma once

#include "Breakdown.h"
#include "SumTableList.h"

#include <QString>
#include <memory>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::sum {

class SummaryJob;

// One entry of the group menu beside the third breakdown: a group, enabled
// only when it has items.
struct GroupMenuEntry {
    qint64 id = 0;
    QString name;
    bool enabled = false;
};

// What the summation dialog shows and decides: the table list with its
// selection file, the breakdown, the group menu and the chosen group, and
// the summation job the chosen tables make.
class SumDialogState {
public:
    inline static const QString kNoGroupCaption = QStringLiteral("自定义分组");

    SumDialogState(db::Connection& connection, QString selectionFile);

    // On showing: the selection file read, the group menu rebuilt, the first
    // group chosen.
    void show();
    // On closing: the selection written back; false when it could not be.
    bool close();

    SumTableList& tables() { return tables_; }
    const std::vector<GroupMenuEntry>& groupMenu() const { return groupMenu_; }
    // The third breakdown and the group button: only while a group exists.
    bool groupsOffered() const { return !groupMenu_.empty(); }
    // A group chosen from the menu (by its id); an id no longer stored
    // leaves the choice as it was.
    void chooseGroup(qint64 id);
    QString groupCaption() const { return groupCaption_; }
    qint64 groupId() const { return groupId_; }

    Breakdown breakdown() const { return breakdown_; }
    void setBreakdown(Breakdown breakdown) { breakdown_ = breakdown; }

    // What "汇  总" leads to with the tables checked now.
    SumChoice choice() const { return ChooseSummation(tables_.checkedSheets()); }
    // The summation of the checked tables (the group's id only for the third
    // breakdown, else 0).
    std::unique_ptr<SummaryJob> makeJob() const;
    // What the handed-over workbook's name says.
    QString subject() const;

private:
    db::Connection& connection_;
    QString selectionFile_;
    SumTableList tables_;
    std::vector<GroupMenuEntry> groupMenu_;
    Breakdown breakdown_ = Breakdown::Level;
    QString groupCaption_ = kNoGroupCaption;
    qint64 groupId_ = 0;
};

} // namespace kestrune::sum
