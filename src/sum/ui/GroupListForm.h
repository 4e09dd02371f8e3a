#pragma once

#include "sum/Groups.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QTableWidget;

namespace kestrune::sum {

// What the group list's "导  入" and "导  出" do; they belong to the data
// exchange, which the main window hands in. Both carry the group tables
// whole, so neither needs a chosen row. Import returns whether it ran to its
// end (the list is then re-read); an empty function leaves its button
// disabled.
struct GroupTransfer {
    std::function<bool()> importGroups;
    std::function<void()> exportGroups;
};

// "自定义分组列表": the groups, added, removed and opened in the item editor.
class TdlgGroupListForm : public QDialog {
    Q_OBJECT
public:
    TdlgGroupListForm(db::Connection& connection, shell::UserInteraction& ui,
                      GroupTransfer transfer = {}, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    QPushButton* removeButton() const { return tbRemove_; }
    QPushButton* editButton() const { return tbEdit_; }
    QPushButton* importButton() const { return btnImport_; }
    QPushButton* exportButton() const { return btnExport_; }
    const std::vector<GroupRow>& groups() const { return groups_; }
    // The item editor, shown modally; tests replace it.
    std::function<void(qint64 id, const QString& name)> openItemEditor;

    void tbAddClick();
    void tbRemoveClick();
    void tbEditClick();
    void btnImportClick();
    void btnExportClick();
    // Re-reads the list, keeping the current row where it can.
    void reload();

private:
    int currentGroup() const;
    void updateButtons();

    db::Connection& connection_;
    shell::UserInteraction& ui_;
    GroupTransfer transfer_;
    std::vector<GroupRow> groups_;
    QTableWidget* grid_;
    QPushButton* tbAdd_;
    QPushButton* tbRemove_;
    QPushButton* tbEdit_;
    QPushButton* btnImport_;
    QPushButton* btnExport_;
};

} // namespace kestrune::sum
