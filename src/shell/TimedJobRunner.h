#pragma once

#include "LongJob.h"

#include <QObject>
#include <QTimer>
#include <exception>
#include <memory>

namespace kestrune::shell {

// Runs a long job from the event loop of a window: start() returns at once,
// and the steps run in slices between the window's own events, so the window
// stays responsive without any nested event loop. A 100 ms timer counts the
// running time for the estimate of the time left; it rests while the job is
// paused.
class TimedJobRunner : public QObject {
    Q_OBJECT
public:
    explicit TimedJobRunner(QObject* parent = nullptr);
    ~TimedJobRunner() override;

    // Starts `job`, which must live until ended() (or until this runner is
    // gone, which stops it). An error of starting reaches the caller.
    void start(LongJob& job);
    void pause();
    void resume();
    // Stops a running or paused job; ended() follows at once.
    void stop();

    JobState state() const;
    bool active() const { return driver_ && driver_->active(); }
    qint64 total() const { return driver_ ? driver_->total() : 0; }
    qint64 done() const { return driver_ ? driver_->done() : 0; }
    ProgressLabels labels() const;
    // What ended a failed job.
    std::exception_ptr error() const { return error_; }

    // How long the steps of one slice may run before the window's events
    // are looked at again; 0 runs one step per slice.
    void setSliceMilliseconds(int milliseconds) { sliceMilliseconds_ = milliseconds; }
    // 100 ms of running time.
    void tick();

Q_SIGNALS:
    // After each slice of steps and each tick.
    void progressed();
    // The job finished, was stopped or failed.
    void ended(kestrune::shell::JobState state);

private:
    void runSlice();
    void keepTime(bool running);
    // Timers off, ended() told once.
    void end();
    template <typename Call> void guarded(Call call);

    std::unique_ptr<JobDriver> driver_;
    std::exception_ptr error_;
    QTimer steps_;
    QTimer ticks_;
    int sliceMilliseconds_ = 20;
    bool endReported_ = false;
};

} // namespace kestrune::shell
