#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;

namespace kestrune::shell {

// The progress window of long operations: a bar, two count labels with the
// time used and an estimate of the time left, refreshed every 100 ms.
class TProgressBarForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressBarForm(QWidget* parent = nullptr);

    void StartProgress(int total, int done);
    void StepProgress();
    void setTotal(int total);
    void setDone(int done);
    int total() const;
    int done() const;
    int ticks() const { return ticks_; }

    QLabel* doneLabel() const { return doneLabel_; }
    QLabel* leftLabel() const { return leftLabel_; }

    // One timer tick; public so that tests can advance time.
    void tick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void refreshLabels();

    QProgressBar* bar_;
    QLabel* doneLabel_;
    QLabel* leftLabel_;
    QTimer timer_;
    int ticks_ = 0;
    int estimate_ = -1;
};

// Two bars: "总进度：" (overall) and "当前任务进度：" (current task).
class TProgressBar2LineForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressBar2LineForm(QWidget* parent = nullptr);

    void InitFirst(int parts);
    void InitSecond(int parts);
    void IncFirst();
    void IncSecond();

    QProgressBar* first() const { return first_; }
    QProgressBar* second() const { return second_; }

private:
    QProgressBar* first_;
    QProgressBar* second_;
};

} // namespace kestrune::shell
