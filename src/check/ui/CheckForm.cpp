#include "CheckForm.h"

#include "check/LogicCheckRun.h"
#include "check/ReportFileError.h"
#include "schema/EngineError.h"
#include "shell/CodeRange.h"
#include "shell/ProgressEstimate.h"
#include "shell/UserInteraction.h"
#include "shell/ui/DialogParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kestrune::check {

TdlgCheckForm::TdlgCheckForm(db::Connection& connection, RuleExplainer& explainer,
                             shell::UserInteraction& ui, QString databaseLabel,
                             std::function<QList<double>()> selectedCodes,
                             std::function<void()> refreshList, QWidget* parent)
    : QDialog(parent), connection_(connection), explainer_(explainer), ui_(ui),
      label_(std::move(databaseLabel)), selectedCodes_(std::move(selectedCodes)),
      refreshList_(std::move(refreshList)),
      selected_(new QRadioButton(QStringLiteral("选中的数据"), this)),
      all_(new QRadioButton(QStringLiteral("所有的数据"), this)),
      range_(new QRadioButton(QStringLiteral("指定单位编号的范围"), this)),
      from_(new QLineEdit(this)), to_(new QLineEdit(this)),
      progressGroup_(new QGroupBox(QStringLiteral("检查进度"), this)), bar_(new QProgressBar(this)),
      preparing_(new QLabel(QStringLiteral("正在准备数据 ..."), this)), done_(new QLabel(this)),
      left_(new QLabel(this)), check_(new QPushButton(QStringLiteral("检  查"), this)),
      pause_(new QPushButton(QStringLiteral("暂  停"), this)),
      resume_(new QPushButton(QStringLiteral("继  续"), this)),
      return_(new QPushButton(QStringLiteral("返  回"), this)) {
    setObjectName(QStringLiteral("dlgCheckForm"));
    setWindowTitle(QStringLiteral("选择检查的方式"));
    selected_->setChecked(true);
    from_->setObjectName(QStringLiteral("c901_1"));
    to_->setObjectName(QStringLiteral("c901_2"));
    QValidator* digits = shell::DigitsValidator(this);
    for (QLineEdit* edit : {from_, to_}) {
        edit->setValidator(digits);
        edit->setMaxLength(12);
    }

    auto* content = new QGroupBox(QStringLiteral("检查的内容"), this);
    auto* choices = new QGridLayout(content);
    choices->addWidget(selected_, 0, 0);
    choices->addWidget(all_, 0, 1);
    choices->addWidget(range_, 1, 0);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(QStringLiteral("从"), this));
    rangeRow->addWidget(from_);
    rangeRow->addWidget(new QLabel(QStringLiteral("到"), this));
    rangeRow->addWidget(to_);
    choices->addLayout(rangeRow, 1, 1);

    auto* progress = new QGridLayout(progressGroup_);
    progress->addWidget(bar_, 0, 0, 1, 2);
    progress->addWidget(preparing_, 1, 0, 1, 2);
    progress->addWidget(done_, 2, 0);
    progress->addWidget(left_, 2, 1, Qt::AlignRight);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {check_, pause_, resume_, return_})
        buttons->addWidget(b);
    connect(check_, &QPushButton::clicked, this, &TdlgCheckForm::runCheck);
    connect(pause_, &QPushButton::clicked, this, &TdlgCheckForm::pauseCheck);
    connect(resume_, &QPushButton::clicked, this, &TdlgCheckForm::resumeCheck);
    connect(return_, &QPushButton::clicked, this, &TdlgCheckForm::returnAndStop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(content);
    layout->addWidget(progressGroup_);
    layout->addStretch();
    setFixedWidth(520);
    connect(&runner_, &shell::TimedJobRunner::progressed, this, &TdlgCheckForm::showProgress);
    connect(&runner_, &shell::TimedJobRunner::ended, this, &TdlgCheckForm::runEnded);
    setIdle();
}

void TdlgCheckForm::setIdle() {
    progressGroup_->hide();
    setFixedHeight(kIdleHeight);
    for (QWidget* w : std::initializer_list<QWidget*>{check_, return_, selected_, all_, range_})
        w->setEnabled(true);
    pause_->setEnabled(false);
    resume_->setEnabled(false);
}

void TdlgCheckForm::setPreparing() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{selected_, all_, range_, check_, pause_, return_})
        w->setEnabled(false);
    bar_->setValue(0);
    preparing_->show();
    done_->hide();
    left_->hide();
    progressGroup_->show();
    setFixedHeight(kRunningHeight);
}

std::optional<CheckSelection> TdlgCheckForm::chosenSelection() {
    if (all_->isChecked())
        return CheckSelection::allRecords();
    if (range_->isChecked()) {
        if (from_->text().isEmpty())
            from_->setText(QStringLiteral("0"));
        if (to_->text().isEmpty())
            to_->setText(QStringLiteral("0"));
        const auto selection = CheckSelection::unitRangeFromTexts(from_->text(), to_->text());
        if (!selection) {
            ui_.showMessage(kMissingRangeMessage, shell::MessageKind::Warning);
            return std::nullopt;
        }
        if (shell::ReadCodeRange(from_->text(), to_->text())->raised)
            to_->setText(from_->text());
        return selection;
    }
    const QList<double> codes = selectedCodes_ ? selectedCodes_() : QList<double>();
    if (codes.isEmpty())
        return std::nullopt;
    return CheckSelection::unitCodes(codes);
}

void TdlgCheckForm::showProgress() {
    // An empty bar has a range of one step, which must not count as a record.
    bar_->setRange(0, int(std::max<qint64>(runner_.total(), 1)));
    bar_->setValue(int(runner_.done()));
    const shell::ProgressLabels labels = runner_.labels();
    done_->setText(labels.done);
    left_->setText(labels.left);
}

void TdlgCheckForm::runCheck() {
    if (runner_.active())
        return;
    setPreparing();
    const std::optional<CheckSelection> selection = chosenSelection();
    if (!selection) {
        setIdle();
        return;
    }
    run_ = std::make_unique<LogicCheckRun>(connection_, explainer_, ui_);
    job_ = std::make_unique<LogicCheckJob>(*run_, *selection, label_);
    try {
        runner_.start(*job_);
    } catch (...) {
        showError(std::current_exception());
        finishRun();
        return;
    }
    preparing_->hide();
    pause_->setEnabled(true);
    return_->setEnabled(true);
    done_->show();
    left_->show();
}

void TdlgCheckForm::runEnded(shell::JobState state) {
    if (state == shell::JobState::Failed)
        showError(runner_.error());
    finishRun();
}

void TdlgCheckForm::showError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const db::EngineError& e) {
        ui_.showMessage(e.text(), shell::MessageKind::Error);
    } catch (const ReportFileError& e) {
        ui_.showMessage(e.text(), shell::MessageKind::Error);
    }
}

void TdlgCheckForm::finishRun() {
    if (refreshList_)
        refreshList_();
    setIdle();
}

void TdlgCheckForm::pauseCheck() {
    runner_.pause();
    pause_->setEnabled(false);
    resume_->setEnabled(true);
}

void TdlgCheckForm::resumeCheck() {
    runner_.resume();
    pause_->setEnabled(true);
    resume_->setEnabled(false);
}

void TdlgCheckForm::returnAndStop() {
    reject();
}

void TdlgCheckForm::reject() {
    // Esc and the close box come here too: a hidden dialog must not leave a
    // run going behind a main window that is usable again.
    runner_.stop();
    QDialog::reject();
}

void TdlgCheckForm::tick() {
    runner_.tick();
}

} // namespace kestrune::check
