#include "ProgressBarForm.h"

#include "shell/ProgressEstimate.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kestrune::shell {

namespace {

void repaintNow(QWidget* w) {
    if (w->isVisible())
        w->repaint();
}

} // namespace

TProgressBarForm::TProgressBarForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), bar_(new QProgressBar(this)),
      doneLabel_(new QLabel(this)), leftLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("ProgressBarForm"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("正在处理："), this));
    layout->addWidget(bar_);
    auto* counts = new QHBoxLayout;
    counts->addWidget(doneLabel_);
    counts->addStretch();
    counts->addWidget(leftLabel_);
    layout->addLayout(counts);
    bar_->setFormat(QStringLiteral("%p%"));
    doneLabel_->hide();
    leftLabel_->hide();
    resize(420, 110);
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &TProgressBarForm::tick);
}

void TProgressBarForm::StartProgress(int total, int done) {
    bar_->setRange(0, std::max(total, 1));
    bar_->setValue(done);
    ticks_ = 0;
    estimate_ = -1;
    doneLabel_->show();
    leftLabel_->show();
    refreshLabels();
    timer_.start();
}

void TProgressBarForm::StepProgress() {
    bar_->setValue(bar_->value() + 1);
    if (bar_->value() >= bar_->maximum())
        timer_.stop();
    repaintNow(this);
}

void TProgressBarForm::setTotal(int total) {
    bar_->setRange(0, std::max(total, 1));
}
void TProgressBarForm::setDone(int done) {
    bar_->setValue(done);
}
int TProgressBarForm::total() const {
    return bar_->maximum();
}
int TProgressBarForm::done() const {
    return bar_->value();
}

void TProgressBarForm::tick() {
    ++ticks_;
    refreshLabels();
}

void TProgressBarForm::refreshLabels() {
    const ProgressLabels labels = ProgressLabelsAt(ticks_, total(), done());
    estimate_ = labels.estimateTicks;
    doneLabel_->setText(labels.done);
    leftLabel_->setText(labels.left);
}

void TProgressBarForm::hideEvent(QHideEvent* event) {
    doneLabel_->hide();
    leftLabel_->hide();
    timer_.stop();
    QDialog::hideEvent(event);
}

TProgressBar2LineForm::TProgressBar2LineForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), first_(new QProgressBar(this)),
      second_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("ProgressBar2LineForm"));
    setWindowTitle(QStringLiteral("操作进度指示"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("总进度："), this), 0, 0);
    layout->addWidget(first_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("当前任务进度："), this), 1, 0);
    layout->addWidget(second_, 1, 1);
    resize(420, 100);
}

void TProgressBar2LineForm::InitFirst(int parts) {
    first_->setRange(0, std::max(parts, 1));
    first_->setValue(0);
    repaintNow(this);
}

void TProgressBar2LineForm::InitSecond(int parts) {
    second_->setRange(0, std::max(parts, 1));
    second_->setValue(0);
    repaintNow(this);
}

void TProgressBar2LineForm::IncFirst() {
    first_->setValue(first_->value() + 1);
    repaintNow(this);
}

void TProgressBar2LineForm::IncSecond() {
    second_->setValue(second_->value() + 1);
    repaintNow(this);
}

} // namespace kestrune::shell
