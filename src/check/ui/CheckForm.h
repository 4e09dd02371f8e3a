#pragma once

#include "check/CheckSelection.h"
#include "check/LogicCheckRun.h"
#include "shell/TimedJobRunner.h"

#include <QDialog>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::check {

class RuleExplainer;

// "检查数据的逻辑": checks the selected rows, every record or a range of unit
// codes, with progress, pause, resume and stop.
class TdlgCheckForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdleHeight = 168;
    static constexpr int kRunningHeight = 255;

    // `selectedCodes` gives the codes of the rows marked in the record list
    // (or the current row's); `refreshList` re-reads the list afterwards.
    TdlgCheckForm(db::Connection& connection, RuleExplainer& explainer, shell::UserInteraction& ui,
                  QString databaseLabel, std::function<QList<double>()> selectedCodes,
                  std::function<void()> refreshList, QWidget* parent = nullptr);

    QRadioButton* selectedChoice() const { return selected_; }
    QRadioButton* allChoice() const { return all_; }
    QRadioButton* rangeChoice() const { return range_; }
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QPushButton* checkButton() const { return check_; }
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* resumeButton() const { return resume_; }
    QPushButton* returnButton() const { return return_; }
    QLabel* doneLabel() const { return done_; }
    QLabel* leftLabel() const { return left_; }
    QProgressBar* progressBar() const { return bar_; }
    bool paused() const { return runner_.state() == shell::JobState::Paused; }
    // What runs the check from the dialog's events; tests follow its signals.
    shell::TimedJobRunner& runner() { return runner_; }

    // "检  查": starts the chosen check, which runs from the dialog's events
    // to its end (or until stopped).
    void runCheck();
    void pauseCheck();
    void resumeCheck();
    // "返  回": asks a running check to stop and closes the dialog.
    void returnAndStop();
    // Esc and the close box: the same as "返  回".
    void reject() override;
    // One 100 ms tick of running time; public so that tests can drive it.
    void tick();

private:
    std::optional<CheckSelection> chosenSelection();
    void setIdle();
    void setPreparing();
    void showProgress();
    void runEnded(shell::JobState state);
    void showError(std::exception_ptr error);
    // The list re-read and the dialog idle again.
    void finishRun();

    db::Connection& connection_;
    RuleExplainer& explainer_;
    shell::UserInteraction& ui_;
    QString label_;
    std::function<QList<double>()> selectedCodes_;
    std::function<void()> refreshList_;
    QRadioButton* selected_;
    QRadioButton* all_;
    QRadioButton* range_;
    QLineEdit* from_;
    QLineEdit* to_;
    QGroupBox* progressGroup_;
    QProgressBar* bar_;
    QLabel* preparing_;
    QLabel* done_;
    QLabel* left_;
    QPushButton* check_;
    QPushButton* pause_;
    QPushButton* resume_;
    QPushButton* return_;
    std::unique_ptr<LogicCheckRun> run_;
    std::unique_ptr<LogicCheckJob> job_;
    // Declared last: it stops a running check before the run goes.
    shell::TimedJobRunner runner_;
};

} // namespace kestrune::check
