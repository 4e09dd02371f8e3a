#pragma once

#include "CheckReport.h"
#include "CheckRunState.h"
#include "CheckSelection.h"
#include "RecordChecker.h"
#include "RecordCursor.h"
#include "RecordStateWriter.h"
#include "RuleExplainer.h"
#include "RuleSet.h"
#include "shell/LongJob.h"

#include <QString>
#include <memory>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::check {

inline const QString kNoLogicErrorsMessage = QStringLiteral("恭喜你，所检查的数据没有逻辑错误");

// Shown when no program opens the report of a check that found errors.
inline QString reportNotOpenedMessage(const QString& reportPath) {
    return QStringLiteral("数据存在逻辑错误，检查结果保存在“%1”，请用文本编辑程序打开查看。")
        .arg(reportPath);
}

enum class CheckRunStatus { NotStarted, Running, Paused, Stopped, Finished };

// One batch logic check, driven step by step so that the check dialog can
// show progress, pause, resume and stop between records:
//
//     run.start(selection, label);     // report created, records counted
//     while (run.step(50))             // 50 more records checked and stated
//         showProgress(run.done(), run.failedUnits(), run.total());
//
// Each checked record gets RecordState 2 when it breaks a rule, else 1, and
// each broken rule is written to the report. The states are committed about
// every second and whenever the run pauses, stops or ends, so a stopped or
// failed run keeps every state it wrote. After the last record the run ends
// by itself: the congratulation is shown when nothing failed, otherwise the
// totals are written and the report is opened (or, when nothing opens it, the
// person is told where it is). A stopped run writes no totals, shows nothing
// and leaves a report that says it is incomplete. Errors (db::EngineError,
// ReportFileError) end the run the same way and reach the caller.
class LogicCheckRun {
public:
    LogicCheckRun(db::Connection& connection, RuleExplainer& explainer, shell::UserInteraction& ui);
    // A run still going is stopped.
    ~LogicCheckRun();
    LogicCheckRun(const LogicCheckRun&) = delete;
    LogicCheckRun& operator=(const LogicCheckRun&) = delete;

    void start(const CheckSelection& selection, const QString& databaseLabel);
    // Checks up to `records` more records; true while records remain. Does
    // nothing while paused.
    bool step(int records = 1);
    void pause();
    void resume();
    void stop();

    CheckRunStatus status() const { return status_; }
    qint64 total() const { return total_; }
    qint64 done() const { return done_; }
    qint64 failedUnits() const { return state_.failedUnits; }
    qint64 failedItems() const { return state_.failedItems; }
    QString reportPath() const { return report_ ? report_->path() : QString(); }

private:
    void checkCurrentRecord();
    void finish();
    // Ends the run where it stands: states committed, the report (unless
    // already whole) marked incomplete.
    void end();
    // end() after an error, which is what the caller is to see.
    void endAfterError() noexcept;

    db::Connection& connection_;
    RuleExplainer& explainer_;
    shell::UserInteraction& ui_;
    const RuleSet& rules_;
    CheckRunState state_;
    std::unique_ptr<CheckReport> report_;
    std::unique_ptr<RecordCursor> cursor_;
    std::unique_ptr<RecordStateWriter> states_;
    std::unique_ptr<RecordChecker> checker_;
    CheckRunStatus status_ = CheckRunStatus::NotStarted;
    bool hasRecord_ = false; // the cursor stands on a record not yet checked
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// A check run as a long job for the job runners: a step checks a few
// records.
class LogicCheckJob : public shell::LongJob {
public:
    // Records checked in one step.
    static constexpr int kRecordsPerStep = 50;

    LogicCheckJob(LogicCheckRun& run, CheckSelection selection, QString databaseLabel)
        : run_(run), selection_(std::move(selection)), label_(std::move(databaseLabel)) {}

    void start() override { run_.start(selection_, label_); }
    bool step() override { return run_.step(kRecordsPerStep); }
    void pause() override { run_.pause(); }
    void resume() override { run_.resume(); }
    void stop() override { run_.stop(); }
    qint64 total() const override { return run_.total(); }
    qint64 done() const override { return run_.done(); }

private:
    LogicCheckRun& run_;
    CheckSelection selection_;
    QString label_;
};

struct CheckOutcome {
    qint64 checked = 0;
    qint64 failedUnits = 0;
    qint64 failedItems = 0;
    QString reportPath;
};

// The whole check at once, as the action that checks the marked rows and the
// command line run it: progress goes to `ui` only when `showProgress`, and
// `ui` may handle pending events between steps.
CheckOutcome RunLogicCheck(db::Connection& connection, RuleExplainer& explainer,
                           shell::UserInteraction& ui, const CheckSelection& selection,
                           const QString& databaseLabel, bool showProgress = false);

} // namespace kestrune::check
