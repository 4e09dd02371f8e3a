#pragma once

#include "query/IndicatorCondition.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class TToolForm;
class UserInteraction;
} // namespace kestrune::shell

namespace kestrune::query {

// "指标查询": one indicator compared with up to two numbers, laid out as a
// sentence: 指标 [indicator] 的范围： [operator] [number] 且 [operator] [number].
class TdlgDataSearchForm : public QDialog {
    Q_OBJECT
public:
    // `showResults` opens the result list for an accepted condition.
    using ShowResults = std::function<void(const IndicatorCondition& condition)>;
    TdlgDataSearchForm(db::Connection& connection, shell::TToolForm& codeMenu,
                       shell::UserInteraction& ui, ShowResults showResults,
                       QWidget* parent = nullptr);

    QLineEdit* dataField() const { return dataField_; }
    QLineEdit* firstOperator() const { return lc1_; }
    QLineEdit* secondOperator() const { return lc3_; }
    QLineEdit* firstNumber() const { return number1_; }
    QLineEdit* secondNumber() const { return number2_; }
    QPushButton* searchButton() const { return search_; }
    // What the boxes hold now.
    IndicatorRange range() const;

    // The indicator chooser, modally; its choice goes into the indicator box.
    void DataFieldButtonClick();
    void lc1ButtonClick();
    void lc3ButtonClick();
    // "查  找"
    void tbSumClick();

protected:
    // A click anywhere in a drop-down box opens its list, as its button does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* dropDownBox(const std::function<void()>& open, int width);

    db::Connection& connection_;
    shell::TToolForm& codeMenu_;
    shell::UserInteraction& ui_;
    ShowResults showResults_;
    QLineEdit* dataField_ = nullptr;
    QLineEdit* lc1_ = nullptr;
    QLineEdit* lc3_ = nullptr;
    QLineEdit* number1_ = nullptr;
    QLineEdit* number2_ = nullptr;
    QPushButton* search_ = nullptr;
};

} // namespace kestrune::query
