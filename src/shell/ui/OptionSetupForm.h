#pragma once

#include "shell/OptionsModel.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace kestrune::shell {

// "软件参数设置": the preferred input method, the entry window style and the
// import error handling.
class TdlgOptionSetupForm : public QDialog {
    Q_OBJECT
public:
    TdlgOptionSetupForm(OptionsModel& model, QWidget* parent = nullptr);

    QComboBox* inputMethods() const { return inputMethods_; }
    QRadioButton* classicStyle() const { return classic_; }
    QRadioButton* simpleStyle() const { return simple_; }
    QRadioButton* abandonAll() const { return abandonAll_; }
    QRadioButton* abandonFaulty() const { return abandonFaulty_; }

private:
    OptionsModel& model_;
    QComboBox* inputMethods_;
    QRadioButton* classic_;
    QRadioButton* simple_;
    QRadioButton* abandonAll_;
    QRadioButton* abandonFaulty_;
};

} // namespace kestrune::shell
