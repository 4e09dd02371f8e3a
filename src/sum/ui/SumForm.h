#pragma once

#include "shell/TimedJobRunner.h"
#include "sum/SumDialogState.h"

#include <QDialog>
#include <memory>

class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kestrune::shell {
class TProgressBar2LineForm;
class UserInteraction;
} // namespace kestrune::shell

namespace kestrune::sum {

class SummaryJob;

// "数据分类汇总": the tables to total, the breakdown, and the summation
// itself, run from the dialog's events with the two-line progress window
// (closing it stops the summation). The decisions are SumDialogState's.
class TdlgSumForm : public QDialog {
    Q_OBJECT
public:
    TdlgSumForm(db::Connection& connection, QString selectionFile, shell::UserInteraction& ui,
                QWidget* parent = nullptr);
    ~TdlgSumForm() override;

    SumDialogState& state() { return state_; }
    QListWidget* tableList() const { return list_; }
    QRadioButton* breakdownChoice(Breakdown breakdown) const;
    QToolButton* groupButton() const { return tbGroup_; }
    QMenu* groupMenu() const { return groupMenu_; }
    QPushButton* sumButton() const { return tbSum_; }
    shell::TProgressBar2LineForm* progressWindow() const { return progress_; }
    shell::TimedJobRunner& runner() { return runner_; }
    // The workbook handed over by the last summation, empty when none.
    QString handedOver() const { return handedOver_; }

    // "汇  总".
    void tbSumClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void showTables();
    void tableChanged(QListWidgetItem* item);
    void tableDoubleClicked(QListWidgetItem* item);
    void rebuildGroupMenu();
    void chooseGroupChoice();
    void showProgress();
    void sumEnded(shell::JobState state);

    SumDialogState state_;
    shell::UserInteraction& ui_;
    QListWidget* list_;
    QRadioButton* byLevel_;
    QRadioButton* byState_;
    QRadioButton* byGroup_;
    QToolButton* tbGroup_;
    QMenu* groupMenu_;
    QPushButton* tbSum_;
    QPushButton* tbReturn_;
    shell::TProgressBar2LineForm* progress_;
    std::unique_ptr<SummaryJob> job_;
    QString handedOver_;
    bool showing_ = false;
    // Declared last: it stops a running summation before the job goes.
    shell::TimedJobRunner runner_;
};

} // namespace kestrune::sum
