#include "LongJob.h"

#include "UserInteraction.h"

namespace kestrune::shell {

template <typename Call> void JobDriver::guarded(Call call) {
    try {
        call();
    } catch (...) {
        state_ = JobState::Failed;
        throw;
    }
}

void JobDriver::start() {
    ticks_ = 0;
    state_ = JobState::Running;
    guarded([this] { job_.start(); });
}

bool JobDriver::advance() {
    if (state_ == JobState::Running) {
        bool more = false;
        guarded([&] { more = job_.step(); });
        if (!more)
            state_ = JobState::Finished;
    }
    return active();
}

void JobDriver::pause() {
    if (state_ != JobState::Running)
        return;
    guarded([this] { job_.pause(); });
    state_ = JobState::Paused;
}

void JobDriver::resume() {
    if (state_ != JobState::Paused)
        return;
    guarded([this] { job_.resume(); });
    state_ = JobState::Running;
}

void JobDriver::stop() {
    if (!active())
        return;
    guarded([this] { job_.stop(); });
    state_ = JobState::Stopped;
}

ProgressLabels JobDriver::labels() const {
    return ProgressLabelsAt(ticks_, int(job_.total()), int(job_.done()));
}

void RunJobToEnd(LongJob& job, UserInteraction& ui, bool showProgress) {
    JobDriver driver(job);
    driver.start();
    if (showProgress)
        ui.progressStart(int(driver.total()), 0);
    qint64 shown = 0;
    try {
        while (driver.advance()) {
            for (; showProgress && shown < driver.done(); ++shown)
                ui.progressStep();
            ui.keepResponsive();
        }
    } catch (...) {
        if (showProgress)
            ui.progressFinish();
        throw;
    }
    if (showProgress) {
        for (; shown < driver.done(); ++shown)
            ui.progressStep();
        ui.progressFinish();
    }
}

} // namespace kestrune::shell
