#include "QuestionLayout.h"

#include "UserInteraction.h"

#include <algorithm>

namespace kestrune::shell {

const std::vector<QuestionButton>& QuestionButtons() {
    static const std::vector<QuestionButton> buttons = {
        {Question::Yes, QStringLiteral("是"), Question::ResultYes},
        {Question::YesToAll, QStringLiteral("全都是"), Question::ResultYesToAll},
        {Question::No, QStringLiteral("否"), Question::ResultNo},
        {Question::NoToAll, QStringLiteral("全都否"), Question::ResultNoToAll},
    };
    return buttons;
}

QStringList VisibleQuestionButtons(int buttons) {
    QStringList captions;
    for (const QuestionButton& b : QuestionButtons()) {
        if (buttons & b.bit)
            captions << b.caption;
    }
    return captions;
}

QuestionLayout LayOutQuestion(int buttons, const QRect& question, int barHeight) {
    const int hidden = int(QuestionButtons().size()) - int(VisibleQuestionButtons(buttons).size());
    const int barWidth = kQuestionBarWidth - hidden * kQuestionButtonWidth;
    QuestionLayout layout;
    const int width = std::max(question.right() + 1 + 25, int(barWidth * 1.5));
    const int height = question.bottom() + 1 + int(barHeight * 1.5);
    layout.client = QSize(width, height);
    layout.buttonBar = QRect(width - barWidth, height - barHeight, barWidth, barHeight);
    return layout;
}

} // namespace kestrune::shell
