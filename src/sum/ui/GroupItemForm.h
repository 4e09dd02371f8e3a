#pragma once

#include "sum/Groups.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kestrune::sum {

// "自定义分组": one group's name and items. The items are kept by
// GroupItemEditor; the dialog shows them and forwards what the person does.
class TdlgGroupItemForm : public QDialog {
    Q_OBJECT
public:
    TdlgGroupItemForm(db::Connection& connection, shell::UserInteraction& ui, qint64 groupId,
                      const QString& groupName, QWidget* parent = nullptr);

    GroupItemEditor& editor() { return editor_; }
    QLineEdit* groupNameEdit() const { return groupName_; }
    QPushButton* saveButton() const { return tbSave_; }
    QTableWidget* grid() const { return grid_; }
    QLineEdit* nameEdit() const { return name_; }
    QComboBox* lowSymbol() const { return leftSymbol_; }
    QLineEdit* lowEdit() const { return lowBoundary_; }
    QComboBox* highSymbol() const { return rightSymbol_; }
    QLineEdit* highEdit() const { return highBoundary_; }
    QPushButton* addButton() const { return actAddItem_; }
    QPushButton* editButton() const { return tbEdit_; }
    QPushButton* removeButton() const { return tbRemove_; }

    GroupItemEdits edits() const;
    void tbSaveClick();
    void actAddItemExecute();
    void tbEditClick();
    void tbRemoveClick();
    void titleClick(int column);

Q_SIGNALS:
    // The group's name was saved: the group list re-reads its grid.
    void groupRenamed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRows();
    void loadCurrentItem();
    void editsChanged();
    void afterChange();

    db::Connection& connection_;
    shell::UserInteraction& ui_;
    qint64 groupId_;
    GroupItemEditor editor_;
    QLineEdit* groupName_;
    QPushButton* tbSave_;
    QTableWidget* grid_;
    QLineEdit* name_;
    QComboBox* leftSymbol_;
    QLineEdit* lowBoundary_;
    QComboBox* rightSymbol_;
    QLineEdit* highBoundary_;
    QPushButton* actAddItem_;
    QPushButton* tbEdit_;
    QPushButton* tbRemove_;
};

} // namespace kestrune::sum
