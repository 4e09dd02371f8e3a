#include "TimedJobRunner.h"

#include <QElapsedTimer>

namespace kestrune::shell {

TimedJobRunner::TimedJobRunner(QObject* parent) : QObject(parent) {
    steps_.setInterval(0);
    ticks_.setInterval(100);
    connect(&steps_, &QTimer::timeout, this, &TimedJobRunner::runSlice);
    connect(&ticks_, &QTimer::timeout, this, &TimedJobRunner::tick);
}

TimedJobRunner::~TimedJobRunner() {
    if (!active())
        return;
    try {
        driver_->stop();
    } catch (...) {
        // Nobody is left to tell; the job has ended where it stood.
    }
}

template <typename Call> void TimedJobRunner::guarded(Call call) {
    try {
        call();
    } catch (...) {
        error_ = std::current_exception();
        end();
    }
}

void TimedJobRunner::start(LongJob& job) {
    if (active())
        stop();
    error_ = nullptr;
    endReported_ = false;
    driver_ = std::make_unique<JobDriver>(job);
    driver_->start();
    keepTime(true);
    Q_EMIT progressed();
}

void TimedJobRunner::pause() {
    if (state() != JobState::Running)
        return;
    keepTime(false);
    guarded([this] { driver_->pause(); });
}

void TimedJobRunner::resume() {
    if (state() != JobState::Paused)
        return;
    guarded([this] {
        driver_->resume();
        keepTime(true);
    });
}

void TimedJobRunner::stop() {
    if (!active())
        return;
    guarded([this] {
        driver_->stop();
        end();
    });
}

JobState TimedJobRunner::state() const {
    return driver_ ? driver_->state() : JobState::Idle;
}

ProgressLabels TimedJobRunner::labels() const {
    return driver_ ? driver_->labels() : ProgressLabelsAt(0, 0, 0);
}

void TimedJobRunner::tick() {
    if (!driver_)
        return;
    driver_->tick();
    Q_EMIT progressed();
}

void TimedJobRunner::keepTime(bool running) {
    if (running) {
        steps_.start();
        ticks_.start();
    } else {
        steps_.stop();
        ticks_.stop();
    }
}

void TimedJobRunner::runSlice() {
    // A step may show a message, whose event loop must not start another
    // slice; the timer runs again only after this one.
    steps_.stop();
    try {
        QElapsedTimer slice;
        slice.start();
        while (driver_->advance() && state() == JobState::Running &&
               slice.elapsed() < sliceMilliseconds_) {
        }
    } catch (...) {
        error_ = std::current_exception();
    }
    Q_EMIT progressed();
    if (state() == JobState::Running)
        steps_.start();
    else if (!active())
        end();
}

void TimedJobRunner::end() {
    keepTime(false);
    if (endReported_)
        return;
    endReported_ = true;
    Q_EMIT ended(state());
}

} // namespace kestrune::shell
