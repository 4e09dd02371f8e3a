#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kestrune::shell {

class RecordList;
class SurveyDatabase;
class UserInteraction;

// "定位数据记录": by the exact unit code or by part of the name.
class TdlgLocateForm : public QDialog {
    Q_OBJECT
public:
    TdlgLocateForm(SurveyDatabase& database, RecordList& list, UserInteraction& ui,
                   QWidget* parent = nullptr);

    QRadioButton* byCode() const { return byCode_; }
    QRadioButton* byName() const { return byName_; }
    QLineEdit* codeEdit() const { return code_; }
    QLineEdit* nameEdit() const { return name_; }
    // "定  位"
    void locate();

private:
    SurveyDatabase& database_;
    RecordList& list_;
    UserInteraction& ui_;
    QRadioButton* byCode_;
    QRadioButton* byName_;
    QLineEdit* code_;
    QLineEdit* name_;
};

} // namespace kestrune::shell
