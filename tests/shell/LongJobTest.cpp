#include "shell/LongJob.h"

#include "shell/TimedJobRunner.h"
#include "support/ScriptedInteraction.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace kestrune::shell;
using kestrune::testing::ScriptedInteraction;

namespace {

// A job of `total` units, one per step, that writes down what was asked of it.
class CountingJob : public LongJob {
public:
    explicit CountingJob(qint64 total) : total_(total) {}

    void start() override { calls << "start"; }
    bool step() override {
        ++stepsRunning;
        maxStepsRunning = std::max(maxStepsRunning, stepsRunning);
        if (done_ == failAt)
            throw std::runtime_error("disk full");
        if (done_ < total_)
            ++done_;
        if (duringStep)
            duringStep(done_);
        --stepsRunning;
        return done_ < total_;
    }
    void pause() override { calls << "pause"; }
    void resume() override { calls << "resume"; }
    void stop() override { calls << "stop"; }
    qint64 total() const override { return total_; }
    qint64 done() const override { return done_; }

    QStringList calls;
    qint64 failAt = -1;
    int stepsRunning = 0;
    int maxStepsRunning = 0;
    std::function<void(qint64)> duringStep;

private:
    qint64 total_;
    qint64 done_ = 0;
};

// Lets the runner's slices run until the job has ended.
bool RunUntilEnded(TimedJobRunner& runner, QSignalSpy& ended) {
    return !runner.active() || ended.wait(10000);
}

TEST(TimedJobRunnerTest, RunsTheJobFromTheEventLoopAndEndsOnce) {
    CountingJob job(40);
    TimedJobRunner runner;
    runner.setSliceMilliseconds(0);
    QSignalSpy ended(&runner, &TimedJobRunner::ended);
    int slices = 0;
    QObject::connect(&runner, &TimedJobRunner::progressed, [&] { ++slices; });
    runner.start(job);
    // start() returns before the first step: the window shows the count first.
    EXPECT_EQ(job.done(), 0);
    EXPECT_EQ(runner.state(), JobState::Running);
    ASSERT_TRUE(RunUntilEnded(runner, ended));
    EXPECT_EQ(job.done(), 40);
    EXPECT_GE(slices, 40);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].value<JobState>(), JobState::Finished);
    EXPECT_EQ(runner.labels().left, "待完成 0");
    EXPECT_EQ(job.calls, QStringList{"start"});
}

// A step that shows a message runs the message's own event loop; the runner
// must not start the next step inside it.
TEST(TimedJobRunnerTest, AMessageShownDuringAStepStartsNoOtherStep) {
    CountingJob job(5);
    job.duringStep = [](qint64) {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    TimedJobRunner runner;
    QSignalSpy ended(&runner, &TimedJobRunner::ended);
    runner.start(job);
    ASSERT_TRUE(RunUntilEnded(runner, ended));
    EXPECT_EQ(job.maxStepsRunning, 1);
    EXPECT_EQ(job.done(), 5);
}

TEST(TimedJobRunnerTest, PausedRunsNoStepAndStoppingEndsWhereItStands) {
    CountingJob job(1000);
    TimedJobRunner runner;
    runner.setSliceMilliseconds(0);
    QSignalSpy ended(&runner, &TimedJobRunner::ended);
    qint64 doneWhilePaused = -1;
    job.duringStep = [&](qint64 done) {
        if (done == 10) {
            runner.pause();
            doneWhilePaused = done;
            QTimer::singleShot(200, &runner, [&] {
                EXPECT_EQ(job.done(), doneWhilePaused);
                runner.resume();
            });
        } else if (done == 20) {
            runner.stop();
        }
    };
    runner.start(job);
    ASSERT_TRUE(RunUntilEnded(runner, ended));
    EXPECT_EQ(job.done(), 20);
    EXPECT_EQ(job.calls, (QStringList{"start", "pause", "resume", "stop"}));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].value<JobState>(), JobState::Stopped);
    // Stopping again, or a slice left over, changes nothing.
    runner.stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(job.done(), 20);
}

TEST(TimedJobRunnerTest, AFailingStepEndsTheRunWithItsError) {
    CountingJob job(30);
    job.failAt = 12;
    TimedJobRunner runner;
    QSignalSpy ended(&runner, &TimedJobRunner::ended);
    runner.start(job);
    ASSERT_TRUE(RunUntilEnded(runner, ended));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0][0].value<JobState>(), JobState::Failed);
    ASSERT_TRUE(runner.error());
    try {
        std::rethrow_exception(runner.error());
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "disk full");
    }
    EXPECT_EQ(job.done(), 12);
}

TEST(RunJobToEndTest, ShowsOneProgressStepPerUnitAndFinishesTheProgressOnError) {
    ScriptedInteraction ui;
    CountingJob whole(3);
    RunJobToEnd(whole, ui, true);
    EXPECT_EQ(ui.progressLog, (QStringList{"start 3 0", "step", "step", "step", "finish"}));

    ScriptedInteraction quiet;
    CountingJob silent(3);
    RunJobToEnd(silent, quiet, false);
    EXPECT_EQ(silent.done(), 3);
    EXPECT_TRUE(quiet.progressLog.isEmpty());

    ScriptedInteraction failing;
    CountingJob broken(5);
    broken.failAt = 2;
    EXPECT_THROW(RunJobToEnd(broken, failing, true), std::runtime_error);
    EXPECT_EQ(failing.progressLog, (QStringList{"start 5 0", "step", "step", "finish"}));
}

// The estimate of the time left appears after five seconds of running.
TEST(JobDriverTest, TicksGiveTheEstimateOfTheTimeLeft) {
    CountingJob job(100);
    JobDriver driver(job);
    driver.start();
    for (int i = 0; i < 25; ++i)
        driver.advance();
    for (int i = 0; i < 60; ++i)
        driver.tick();
    EXPECT_EQ(driver.labels().done, "已完成 25 用时6秒");
    EXPECT_EQ(driver.labels().left, "待完成 75 尚需18秒");
}

} // namespace
