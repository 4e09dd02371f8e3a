#include "DataSearchForm.h"

#include "DataSearchCodeForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"
#include "shell/ui/DialogParts.h"
#include "shell/ui/ToolForm.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kestrune::query {

using shell::HeldCode;

TdlgDataSearchForm::TdlgDataSearchForm(db::Connection& connection, shell::TToolForm& codeMenu,
                                       shell::UserInteraction& ui, ShowResults showResults,
                                       QWidget* parent)
    : QDialog(parent), connection_(connection), codeMenu_(codeMenu), ui_(ui),
      showResults_(std::move(showResults)) {
    setObjectName(QStringLiteral("dlgDataSearchForm"));
    setWindowTitle(QStringLiteral("指标查询"));
    dataField_ = dropDownBox([this] { DataFieldButtonClick(); }, 96);
    dataField_->setObjectName(QStringLiteral("DataField"));
    lc1_ = dropDownBox([this] { lc1ButtonClick(); }, 64);
    lc1_->setObjectName(QStringLiteral("lc1"));
    lc3_ = dropDownBox([this] { lc3ButtonClick(); }, 64);
    lc3_->setObjectName(QStringLiteral("lc3"));
    number1_ = new QLineEdit(this);
    number1_->setObjectName(QStringLiteral("Number1"));
    number2_ = new QLineEdit(this);
    number2_->setObjectName(QStringLiteral("Number2"));
    for (QLineEdit* number : {number1_, number2_}) {
        number->setValidator(shell::DigitsValidator(number));
        number->setFixedWidth(120);
    }

    auto* group = new QGroupBox(QStringLiteral("指标范围"), this);
    auto* sentence = new QHBoxLayout(group);
    sentence->addWidget(new QLabel(QStringLiteral(" 指标   "), group));
    sentence->addWidget(dataField_);
    sentence->addWidget(new QLabel(QStringLiteral("的范围："), group));
    sentence->addWidget(lc1_);
    sentence->addWidget(number1_);
    sentence->addWidget(new QLabel(QStringLiteral("且"), group));
    sentence->addWidget(lc3_);
    sentence->addWidget(number2_);
    QHBoxLayout* buttons = shell::RunAndReturnButtons(
        this, QStringLiteral("查  找"), [this] { tbSumClick(); }, &search_);
    search_->setObjectName(QStringLiteral("tbSum"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

QLineEdit* TdlgDataSearchForm::dropDownBox(const std::function<void()>& open, int width) {
    auto* box = new QLineEdit(this);
    box->setReadOnly(true);
    box->setFixedWidth(width);
    shell::SetHeldCode(box, kNoOperator);
    QAction* drop =
        box->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, open);
    box->installEventFilter(this);
    return box;
}

bool TdlgDataSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == dataField_) {
            DataFieldButtonClick();
            return true;
        }
        if (watched == lc1_ || watched == lc3_) {
            codeMenu_.ShowCodeMenu(static_cast<QLineEdit*>(watched), QueryOperators());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgDataSearchForm::DataFieldButtonClick() {
    try {
        TDataSearchCodeForm chooser(connection_, this);
        if (chooser.exec() == QDialog::Accepted)
            dataField_->setText(chooser.chosen());
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
}

void TdlgDataSearchForm::lc1ButtonClick() {
    codeMenu_.ShowCodeMenu(lc1_, QueryOperators());
}

void TdlgDataSearchForm::lc3ButtonClick() {
    codeMenu_.ShowCodeMenu(lc3_, QueryOperators());
}

IndicatorRange TdlgDataSearchForm::range() const {
    return {dataField_->text(), HeldCode(lc1_), number1_->text(), HeldCode(lc3_), number2_->text()};
}

void TdlgDataSearchForm::tbSumClick() {
    const auto built = BuildIndicatorCondition(range());
    if (const auto* refusal = std::get_if<ConditionRefusal>(&built)) {
        ui_.showMessage(refusal->message, shell::MessageKind::Warning);
        switch (refusal->box) {
        case ConditionBox::Indicator:
            dataField_->setFocus();
            break;
        case ConditionBox::FirstNumber:
            number1_->setFocus();
            break;
        case ConditionBox::SecondNumber:
            number2_->setFocus();
            break;
        }
        return;
    }
    showResults_(std::get<IndicatorCondition>(built));
}

} // namespace kestrune::query
