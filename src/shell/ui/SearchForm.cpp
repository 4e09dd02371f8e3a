#include "SearchForm.h"

#include "DialogParts.h"
#include "ToolForm.h"
#include "shell/RecordSearch.h"
#include "shell/UserInteraction.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgSearchForm::TdlgSearchForm(TToolForm& codeMenu, UserInteraction& ui,
                               std::function<void(const QString&)> showResults, QWidget* parent)
    : QDialog(parent), codeMenu_(codeMenu), ui_(ui), showResults_(std::move(showResults)),
      first_(new QLineEdit(this)), second_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dlgSearchForm"));
    setWindowTitle(QStringLiteral("查询数据"));
    firstOp_ = codeBox(QStringLiteral("="), 1);
    conjunction_ = codeBox(QStringLiteral("和"), 1);
    secondOp_ = codeBox(QStringLiteral("="), 1);
    for (QLineEdit* number : {first_, second_}) {
        number->setMaxLength(12);
        number->setValidator(DigitsValidator(this));
    }
    auto* group = new QGroupBox(QStringLiteral("编号范围"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(firstOp_);
    row->addWidget(first_);
    row->addWidget(conjunction_);
    row->addWidget(secondOp_);
    row->addWidget(second_);
    QHBoxLayout* buttons =
        RunAndReturnButtons(this, QStringLiteral("查  找"), [this] { search(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

QLineEdit* TdlgSearchForm::codeBox(const QString& text, int code) {
    auto* box = new QLineEdit(text, this);
    box->setReadOnly(true);
    box->setFixedWidth(64);
    SetHeldCode(box, code);
    QAction* drop =
        box->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    connect(drop, &QAction::triggered, this, [this, box] { openCodeMenu(box); });
    box->installEventFilter(this);
    return box;
}

void TdlgSearchForm::openCodeMenu(QLineEdit* box) {
    codeMenu_.ShowCodeMenu(box, box == conjunction_ ? RangeConjunctions() : RangeOperators());
}

bool TdlgSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (QLineEdit* box : {firstOp_, conjunction_, secondOp_}) {
            if (watched == box) {
                openCodeMenu(box);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgSearchForm::search() {
    const std::optional<QString> condition =
        NumberRangeCondition(first_->text(), HeldCode(firstOp_), HeldCode(conjunction_),
                             second_->text(), HeldCode(secondOp_));
    if (!condition) {
        ui_.showMessage(kNeedOneCondition, MessageKind::Warning);
        first_->setFocus();
        return;
    }
    showResults_(*condition);
}

} // namespace kestrune::shell
