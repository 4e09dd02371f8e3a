#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kestrune::shell {

class UserInteraction;
class RecordList;
class TRecordGrid;
class SurveyDatabase;

// "选择删除的方式": the selected rows, every record, or a range of unit codes.
class TdlgDeleteForm : public QDialog {
    Q_OBJECT
public:
    TdlgDeleteForm(SurveyDatabase& database, TRecordGrid& grid, RecordList& list,
                   UserInteraction& ui, QWidget* parent = nullptr);

    QRadioButton* selectedChoice() const { return selected_; }
    QRadioButton* allChoice() const { return all_; }
    QRadioButton* rangeChoice() const { return range_; }
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    // "删  除"
    void runDeletion();

private:
    // "选中的数据" is offered only while rows are selected in the list.
    void offerSelectedRows();
    void showListAfterDeletion();

    SurveyDatabase& database_;
    TRecordGrid& grid_;
    RecordList& list_;
    UserInteraction& ui_;
    QRadioButton* selected_;
    QRadioButton* all_;
    QRadioButton* range_;
    QLineEdit* from_;
    QLineEdit* to_;
};

} // namespace kestrune::shell
