#include "SumForm.h"

#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/HandOver.h"
#include "shell/UserInteraction.h"
#include "shell/ui/ProgressBarForm.h"
#include "sum/SummaryJob.h"
#include "sum/SummaryWorkbook.h"
#include "workbook/WorkbookError.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrune::sum {

TdlgSumForm::TdlgSumForm(db::Connection& connection, QString selectionFile,
                         shell::UserInteraction& ui, QWidget* parent)
    : QDialog(parent), state_(connection, std::move(selectionFile)), ui_(ui),
      list_(new QListWidget(this)), byLevel_(new QRadioButton(QStringLiteral("工会层次"), this)),
      byState_(new QRadioButton(QStringLiteral("填报状态"), this)),
      byGroup_(new QRadioButton(this)), tbGroup_(new QToolButton(this)),
      groupMenu_(new QMenu(this)), tbSum_(new QPushButton(QStringLiteral("汇  总"), this)),
      tbReturn_(new QPushButton(QStringLiteral("返  回"), this)),
      progress_(new shell::TProgressBar2LineForm(this)) {
    setObjectName(QStringLiteral("dlgSumForm"));
    setWindowTitle(QStringLiteral("数据分类汇总"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);

    auto* checkRow = new QHBoxLayout;
    auto* checkAll = new QPushButton(QStringLiteral("全部选中"), this);
    auto* checkNone = new QPushButton(QStringLiteral("全部不选"), this);
    checkAll->setObjectName(QStringLiteral("Button1"));
    checkNone->setObjectName(QStringLiteral("Button2"));
    checkRow->addWidget(checkAll);
    checkRow->addWidget(checkNone);
    checkRow->addStretch();
    layout->addLayout(checkRow);

    auto* breakdowns = new QGroupBox(QStringLiteral("汇总方式"), this);
    auto* breakdownRow = new QHBoxLayout(breakdowns);
    breakdownRow->addWidget(byLevel_);
    breakdownRow->addWidget(byState_);
    breakdownRow->addWidget(byGroup_);
    tbGroup_->setObjectName(QStringLiteral("tbGroup"));
    tbGroup_->setText(SumDialogState::kNoGroupCaption);
    tbGroup_->setMenu(groupMenu_);
    tbGroup_->setPopupMode(QToolButton::MenuButtonPopup);
    breakdownRow->addWidget(tbGroup_);
    breakdownRow->addStretch();
    byLevel_->setChecked(true);
    layout->addWidget(breakdowns);

    auto* buttons = new QHBoxLayout;
    tbSum_->setObjectName(QStringLiteral("tbSum"));
    tbSum_->setToolTip(QStringLiteral("执行汇总"));
    tbReturn_->setObjectName(QStringLiteral("tbReturn"));
    buttons->addStretch();
    buttons->addWidget(tbSum_);
    buttons->addWidget(tbReturn_);
    layout->addLayout(buttons);
    resize(420, 560);

    connect(checkAll, &QPushButton::clicked, this, [this] {
        state_.tables().checkAll(true);
        showTables();
    });
    connect(checkNone, &QPushButton::clicked, this, [this] {
        state_.tables().checkAll(false);
        showTables();
    });
    connect(list_, &QListWidget::itemChanged, this, &TdlgSumForm::tableChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TdlgSumForm::tableDoubleClicked);
    connect(byLevel_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            state_.setBreakdown(Breakdown::Level);
    });
    connect(byState_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            state_.setBreakdown(Breakdown::State);
    });
    connect(byGroup_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            state_.setBreakdown(Breakdown::Group);
    });
    connect(tbGroup_, &QToolButton::clicked, this, &TdlgSumForm::chooseGroupChoice);
    connect(groupMenu_, &QMenu::aboutToShow, this, &TdlgSumForm::chooseGroupChoice);
    connect(tbSum_, &QPushButton::clicked, this, &TdlgSumForm::tbSumClick);
    connect(tbReturn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(progress_, &QDialog::rejected, this, [this] { runner_.stop(); });
    connect(&runner_, &shell::TimedJobRunner::progressed, this, &TdlgSumForm::showProgress);
    connect(&runner_, &shell::TimedJobRunner::ended, this, &TdlgSumForm::sumEnded);
}

TdlgSumForm::~TdlgSumForm() = default;

QRadioButton* TdlgSumForm::breakdownChoice(Breakdown breakdown) const {
    switch (breakdown) {
    case Breakdown::Level:
        return byLevel_;
    case Breakdown::State:
        return byState_;
    case Breakdown::Group:
        break;
    }
    return byGroup_;
}

void TdlgSumForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!showing_) {
        showing_ = true;
        FormShow();
    }
}

void TdlgSumForm::FormShow() {
    try {
        state_.show();
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    showTables();
    rebuildGroupMenu();
}

void TdlgSumForm::done(int result) {
    if (runner_.active())
        runner_.stop();
    state_.close();
    QDialog::done(result);
}

void TdlgSumForm::showTables() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (const SumTableItem& item : state_.tables().items()) {
        auto* row = new QListWidgetItem(item.text, list_);
        if (item.enabled) {
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
        } else {
            // A heading: shown, double-clicked, never checked.
            row->setFlags(Qt::ItemIsEnabled);
            QFont font = row->font();
            font.setBold(true);
            row->setFont(font);
        }
    }
}

void TdlgSumForm::tableChanged(QListWidgetItem* item) {
    state_.tables().setChecked(list_->row(item), item->checkState() == Qt::Checked);
}

void TdlgSumForm::tableDoubleClicked(QListWidgetItem* item) {
    state_.tables().activate(list_->row(item));
    showTables();
}

void TdlgSumForm::rebuildGroupMenu() {
    groupMenu_->clear();
    for (const GroupMenuEntry& entry : state_.groupMenu()) {
        QAction* action = groupMenu_->addAction(entry.name);
        action->setEnabled(entry.enabled);
        const qint64 id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] {
            state_.chooseGroup(id);
            tbGroup_->setText(state_.groupCaption());
            byGroup_->setChecked(true);
        });
    }
    tbGroup_->setText(state_.groupCaption());
    byGroup_->setEnabled(state_.groupsOffered());
    tbGroup_->setEnabled(state_.groupsOffered());
}

void TdlgSumForm::chooseGroupChoice() {
    byGroup_->setChecked(true);
}

void TdlgSumForm::tbSumClick() {
    if (runner_.active())
        return;
    switch (state_.choice()) {
    case SumChoice::Nothing:
        return;
    case SumChoice::CoverOnly:
        ui_.showMessage(kCoverOnlyMessage, shell::MessageKind::Information);
        return;
    case SumChoice::Summarise:
        break;
    }
    handedOver_.clear();
    job_ = state_.makeJob();
    progress_->InitFirst(job_->sheetsTotal());
    progress_->InitSecond(1);
    progress_->show();
    tbSum_->setEnabled(false);
    try {
        runner_.start(*job_);
    } catch (const SummaryTemplateError&) {
        progress_->hide();
        tbSum_->setEnabled(true);
        ui_.showMessage(kSummaryTemplateUnavailable, shell::MessageKind::Error);
    } catch (const db::EngineError& e) {
        progress_->hide();
        tbSum_->setEnabled(true);
        ui_.showRuntimeError(shell::FailureReason(e));
    }
}

void TdlgSumForm::showProgress() {
    if (!job_)
        return;
    progress_->first()->setValue(job_->sheetsDone());
    progress_->second()->setRange(0, int(std::max<qint64>(job_->taskTotal(), 1)));
    progress_->second()->setValue(int(std::min<qint64>(job_->taskDone(), job_->taskTotal())));
}

void TdlgSumForm::sumEnded(shell::JobState state) {
    progress_->hide();
    tbSum_->setEnabled(true);
    if (state == shell::JobState::Failed) {
        try {
            std::rethrow_exception(runner_.error());
        } catch (const SummaryTemplateError&) {
            ui_.showMessage(kSummaryTemplateUnavailable, shell::MessageKind::Error);
        } catch (const db::EngineError& e) {
            ui_.showRuntimeError(shell::FailureReason(e));
        } catch (const workbook::WorkbookError& e) {
            ui_.showRuntimeError(e.text());
        } catch (const std::exception& e) {
            ui_.showRuntimeError(QString::fromLocal8Bit(e.what()));
        }
    } else if (job_ && job_->finished()) {
        handedOver_ =
            shell::HandOverWorkbook(job_->workbook(), kSummaryPrefix, state_.subject(), ui_);
    }
    // The job stays until the next summation: the runner may still refer to it.
}

} // namespace kestrune::sum
