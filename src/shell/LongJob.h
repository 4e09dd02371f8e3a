#pragma once

#include "ProgressEstimate.h"

#include <QtGlobal>

namespace kestrune::shell {

class UserInteraction;

// A job too long to run in one go (the batch check, and later summation,
// import and exports). It advances in short steps, so that whoever drives it
// can show progress and let the person pause or stop between two steps.
// Errors are thrown from any call; the job has then ended where it stood.
class LongJob {
public:
    virtual ~LongJob() = default;

    // Prepares the job and counts its work (total()).
    virtual void start() = 0;
    // Does one short step; true while work remains. The step that finds
    // nothing left finishes the job, so even a job without work is stepped
    // once.
    virtual bool step() = 0;
    // Whatever the job must keep is kept before a pause (a pause may last).
    virtual void pause() {}
    virtual void resume() {}
    // The person stopped the job: it ends where it stands.
    virtual void stop() = 0;

    virtual qint64 total() const = 0;
    virtual qint64 done() const = 0;
};

enum class JobState { Idle, Running, Paused, Stopped, Finished, Failed };

// Start, step, pause, resume and stop for one job, with the progress labels
// of the time it has run. It keeps no timer: a runner calls advance() and,
// every 100 ms the job runs, tick().
class JobDriver {
public:
    explicit JobDriver(LongJob& job) : job_(job) {}
    JobDriver(const JobDriver&) = delete;
    JobDriver& operator=(const JobDriver&) = delete;

    // Starts the job; what it throws reaches the caller, the state Failed.
    void start();
    // One step while running; true while the job is running or paused. An
    // error thrown by the step reaches the caller, the state Failed.
    bool advance();
    void pause();
    void resume();
    // Stops a running or paused job.
    void stop();
    void tick() { ++ticks_; }

    JobState state() const { return state_; }
    bool active() const { return state_ == JobState::Running || state_ == JobState::Paused; }
    qint64 total() const { return job_.total(); }
    qint64 done() const { return job_.done(); }
    int ticks() const { return ticks_; }
    ProgressLabels labels() const;

private:
    template <typename Call> void guarded(Call call);

    LongJob& job_;
    JobState state_ = JobState::Idle;
    int ticks_ = 0;
};

// Runs a job to its end in the caller's own loop, for the command line and
// for jobs a window runs without a progress window of its own: progress
// goes to `ui` when `showProgress`, and between steps `ui` may handle its
// pending events. Errors reach the caller after the job has ended.
void RunJobToEnd(LongJob& job, UserInteraction& ui, bool showProgress);

} // namespace kestrune::shell
