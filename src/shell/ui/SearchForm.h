#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

namespace kestrune::shell {

class TToolForm;
class UserInteraction;

// "查询数据": unit codes compared with up to two numbers.
class TdlgSearchForm : public QDialog {
    Q_OBJECT
public:
    // `showResults` opens the result list for the condition.
    TdlgSearchForm(TToolForm& codeMenu, UserInteraction& ui,
                   std::function<void(const QString& condition)> showResults,
                   QWidget* parent = nullptr);

    QLineEdit* firstNumber() const { return first_; }
    QLineEdit* secondNumber() const { return second_; }
    QLineEdit* firstOperator() const { return firstOp_; }
    QLineEdit* secondOperator() const { return secondOp_; }
    QLineEdit* conjunction() const { return conjunction_; }
    // "查  找"
    void search();

protected:
    // A click anywhere in a code box opens its menu, as its button does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* codeBox(const QString& text, int code);
    void openCodeMenu(QLineEdit* box);

    TToolForm& codeMenu_;
    UserInteraction& ui_;
    std::function<void(const QString&)> showResults_;
    QLineEdit* first_;
    QLineEdit* second_;
    QLineEdit* firstOp_;
    QLineEdit* secondOp_;
    QLineEdit* conjunction_;
};

} // namespace kestrune::shell
