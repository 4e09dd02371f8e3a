#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace kestrune::shell {

// The question dialog with "all" answers: "是" 6, "全都是" 10, "否" 7,
// "全都否" 9; closing it by its frame gives 2.
class TQuestionDlg : public QDialog {
    Q_OBJECT
public:
    TQuestionDlg(const QString& question, int buttons, QWidget* parent = nullptr);

    int result() const { return result_; }
    QList<QPushButton*> visibleButtons() const;

private:
    QLabel* question_;
    QWidget* bar_;
    int result_;
};

// Destroys any earlier question dialog, asks this one modally and returns
// its result code.
int AskQuestion(const QString& question, int buttons, QWidget* owner);

} // namespace kestrune::shell
