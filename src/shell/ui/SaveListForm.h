#pragma once

#include "shell/ExportTableList.h"
#include "shell/ListExport.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

class UserInteraction;

// "导出数据列表": which survey tables and which records go into the list
// workbook. The statement, the fields and the workbook come from the list
// export routines; the dialog shows the choices and forwards them.
class TdlgSaveListForm : public QDialog {
    Q_OBJECT
public:
    TdlgSaveListForm(db::Connection& connection, const QString& label, const QString& tableFile,
                     UserInteraction& ui, QWidget* parent = nullptr);

    QListWidget* tableList() const { return tables_; }
    QRadioButton* allChoice() const { return all_; }
    QRadioButton* rangeChoice() const { return range_; }
    QRadioButton* groupChoice() const { return group_; }
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QPushButton* groupButton() const { return groupButton_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* returnButton() const { return return_; }
    QCheckBox* shownPartBox() const { return shownPart_; }
    const std::optional<GroupItem>& currentGroup() const { return currentGroup_; }

    // "导  出"
    void btnExportClick();
    // "返  回"
    void btnReturnClick();
    // A group item of the drop-down menu chosen.
    void chooseGroupItem(qint64 id);
    // What the choices ask for, as the export takes it.
    ListExportRequest request() const;
    std::vector<ExportTable> checkedTables() const;

private:
    void loadTables(const QString& tableFile);
    void loadGroupItems();
    void setControlsEnabled(bool enabled);

    db::Connection& connection_;
    QString label_;
    UserInteraction& ui_;
    std::vector<ExportTable> tableEntries_;
    std::optional<GroupItem> currentGroup_;
    QListWidget* tables_;
    QRadioButton* all_;
    QRadioButton* range_;
    QRadioButton* group_;
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* groupButton_;
    QPushButton* export_;
    QPushButton* return_;
    QCheckBox* shownPart_;
};

} // namespace kestrune::shell
