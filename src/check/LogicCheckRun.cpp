#include "LogicCheckRun.h"

#include "ReportPath.h"
#include "shell/LongJob.h"
#include "shell/SurveyTerms.h"
#include "shell/UserInteraction.h"

#include <QDateTime>

namespace kestrune::check {

LogicCheckRun::LogicCheckRun(db::Connection& connection, RuleExplainer& explainer,
                             shell::UserInteraction& ui)
    : connection_(connection), explainer_(explainer), ui_(ui), rules_(RuleSet::builtIn()) {}

LogicCheckRun::~LogicCheckRun() {
    endAfterError();
}

void LogicCheckRun::start(const CheckSelection& selection, const QString& databaseLabel) {
    end();
    state_ = CheckRunState();
    total_ = 0;
    done_ = 0;
    try {
        report_ = std::make_unique<CheckReport>(state_);
        report_->create(checkReportPath(databaseLabel), QDateTime::currentDateTime());
        total_ = countSelectedRecords(connection_, selection);
        cursor_ = std::make_unique<RecordCursor>(connection_, rules_.fields(), selection);
        states_ = std::make_unique<RecordStateWriter>(connection_);
        checker_ = std::make_unique<RecordChecker>(rules_, explainer_, state_, *report_);
        status_ = CheckRunStatus::Running;
        hasRecord_ = cursor_->next();
    } catch (...) {
        endAfterError();
        status_ = CheckRunStatus::Stopped;
        throw;
    }
}

bool LogicCheckRun::step(int records) {
    if (status_ != CheckRunStatus::Running)
        return status_ == CheckRunStatus::Paused;
    try {
        for (int i = 0; i < records && hasRecord_; ++i) {
            checkCurrentRecord();
            hasRecord_ = cursor_->next();
        }
        if (!hasRecord_)
            finish();
    } catch (...) {
        endAfterError();
        throw;
    }
    return hasRecord_;
}

void LogicCheckRun::checkCurrentRecord() {
    state_.unitCode = cursor_->unitCode();
    state_.unitName = cursor_->unitName();
    const bool clean = checker_->CheckRecord(cursor_->values());
    const int verdict = int(clean ? shell::RecordState::SavedWithoutLogicErrors
                                  : shell::RecordState::SavedWithLogicErrors);
    // Writing a row costs as much as reading it; a state that is already
    // right (the usual case on checking again) is left as it stands.
    if (cursor_->recordState() != verdict)
        states_->write(cursor_->rowId(), verdict);
    if (!clean) {
        ++state_.failedUnits;
        state_.anyFailure = true;
    }
    ++done_;
}

void LogicCheckRun::finish() {
    states_->commit();
    if (state_.anyFailure)
        report_->appendTotals();
    report_->commit();
    end();
    status_ = CheckRunStatus::Finished;
    if (state_.anyFailure) {
        // Without a program for text files the person must still learn where
        // the errors are listed.
        if (!ui_.openWithDefaultProgram(report_->path()))
            ui_.showMessage(reportNotOpenedMessage(report_->path()), shell::MessageKind::Warning);
    } else {
        ui_.showMessage(kNoLogicErrorsMessage, shell::MessageKind::Information);
    }
}

void LogicCheckRun::pause() {
    if (status_ != CheckRunStatus::Running)
        return;
    try {
        states_->commit();
        report_->flush();
    } catch (...) {
        endAfterError();
        throw;
    }
    status_ = CheckRunStatus::Paused;
}

void LogicCheckRun::resume() {
    if (status_ == CheckRunStatus::Paused)
        status_ = CheckRunStatus::Running;
}

void LogicCheckRun::stop() {
    try {
        end();
    } catch (...) {
        endAfterError();
        throw;
    }
}

void LogicCheckRun::end() {
    if (status_ == CheckRunStatus::Running || status_ == CheckRunStatus::Paused)
        status_ = CheckRunStatus::Stopped;
    hasRecord_ = false;
    checker_.reset();
    // The reading statement goes first, so that nothing keeps the table open.
    cursor_.reset();
    if (states_) {
        states_->commit();
        states_.reset();
    }
    if (report_)
        report_->abandon();
}

void LogicCheckRun::endAfterError() noexcept {
    try {
        end();
    } catch (...) {
        // The first error is the one that counts; what could be kept is kept.
    }
    checker_.reset();
    cursor_.reset();
    states_.reset(); // commits what it can, silently
    if (report_) {
        try {
            report_->abandon();
        } catch (...) {
        }
    }
}

CheckOutcome RunLogicCheck(db::Connection& connection, RuleExplainer& explainer,
                           shell::UserInteraction& ui, const CheckSelection& selection,
                           const QString& databaseLabel, bool showProgress) {
    LogicCheckRun run(connection, explainer, ui);
    LogicCheckJob job(run, selection, databaseLabel);
    shell::RunJobToEnd(job, ui, showProgress);
    return {run.done(), run.failedUnits(), run.failedItems(), run.reportPath()};
}

} // namespace kestrune::check
