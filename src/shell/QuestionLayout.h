#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

namespace kestrune::shell {

// The question dialog's buttons in their order, with the bit that shows each
// and the result it gives.
struct QuestionButton {
    int bit;
    QString caption;
    int result;
};
const std::vector<QuestionButton>& QuestionButtons();

// Captions of the buttons a bit set shows, in order.
QStringList VisibleQuestionButtons(int buttons);

// The layout when the dialog is shown: the button bar starts 297 pixels wide
// and loses the width of each hidden button; the client is as wide as the
// question's right edge plus 25, or 1.5 times the bar if that is wider, and as
// high as the question's bottom plus 1.5 times the bar's height.
struct QuestionLayout {
    QSize client;
    QRect buttonBar; // in the bottom right corner
};

constexpr int kQuestionBarWidth = 297;
constexpr int kQuestionButtonWidth = 72;

QuestionLayout LayOutQuestion(int buttons, const QRect& question, int barHeight);

} // namespace kestrune::shell
