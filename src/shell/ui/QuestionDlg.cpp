#include "QuestionDlg.h"

#include "shell/QuestionLayout.h"
#include "shell/UserInteraction.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace kestrune::shell {

namespace {

QPointer<TQuestionDlg> lastQuestion;

constexpr int kMargin = 16;
constexpr int kBarHeight = 36;

} // namespace

TQuestionDlg::TQuestionDlg(const QString& question, int buttons, QWidget* parent)
    : QDialog(parent), question_(new QLabel(question, this)), bar_(new QWidget(this)),
      result_(Question::ResultCancel) {
    setObjectName(QStringLiteral("QuestionDlg"));
    setWindowTitle(QStringLiteral("提示信息"));
    question_->setWordWrap(false);
    question_->adjustSize();
    question_->move(kMargin, kMargin);
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(4, 4, 4, 4);
    for (const QuestionButton& b : QuestionButtons()) {
        if (!(buttons & b.bit))
            continue;
        auto* button = new QPushButton(b.caption, bar_);
        button->setFixedWidth(kQuestionButtonWidth - 8);
        const int result = b.result;
        connect(button, &QPushButton::clicked, this, [this, result] {
            result_ = result;
            accept();
        });
        row->addWidget(button);
    }
    const QuestionLayout layout = LayOutQuestion(buttons, question_->geometry(), kBarHeight);
    setFixedSize(layout.client);
    bar_->setGeometry(layout.buttonBar);
}

QList<QPushButton*> TQuestionDlg::visibleButtons() const {
    return bar_->findChildren<QPushButton*>();
}

int AskQuestion(const QString& question, int buttons, QWidget* owner) {
    delete lastQuestion;
    lastQuestion = new TQuestionDlg(question, buttons, owner);
    lastQuestion->exec();
    return lastQuestion->result();
}

} // namespace kestrune::shell
