#include "ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace kestrune::testing {

namespace {

template <typename T> T take(std::deque<T>& queue, const QString& what, T fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "no scripted answer for: " << what.toStdString();
        return fallback;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

QStringList ScriptedInteraction::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages)
        texts << m.text;
    return texts;
}

void ScriptedInteraction::showMessage(const QString& text, shell::MessageKind kind) {
    messages.push_back({kind, text});
}

bool ScriptedInteraction::confirm(const QString& text, const QString& caption) {
    confirmations << text;
    confirmationCaptions << caption;
    return take(confirmAnswers, text, false);
}

int ScriptedInteraction::askQuestion(const QString& text, int) {
    questions << text;
    if (onQuestion)
        onQuestion(text);
    return take(questionAnswers, text, int(shell::Question::ResultCancel));
}

QString ScriptedInteraction::chooseSaveFile(const shell::FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return take(fileAnswers, request.title, QString());
}

QString ScriptedInteraction::chooseOpenFile(const shell::FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return take(fileAnswers, request.title, QString());
}

std::optional<QString> ScriptedInteraction::inputText(const QString& title, const QString&,
                                                      const QString&) {
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "no scripted answer for: " << title.toStdString();
        return std::nullopt;
    }
    const bool cancelled = !inputAnswers.front().has_value();
    const QString text = inputAnswers.front().value_or(QString());
    inputAnswers.pop_front();
    if (cancelled)
        return std::nullopt;
    return text;
}

bool ScriptedInteraction::openWithDefaultProgram(const QString& path) {
    openedFiles << path;
    return !noDefaultProgram;
}

void ScriptedInteraction::progressStart(int total, int done) {
    progressLog << QStringLiteral("start %1 %2").arg(total).arg(done);
}

void ScriptedInteraction::progressStep() {
    progressLog << QStringLiteral("step");
}

void ScriptedInteraction::progressCaption(const QString& caption) {
    progressLog << QStringLiteral("caption ") + caption;
}

void ScriptedInteraction::progressFinish() {
    progressLog << QStringLiteral("finish");
}

} // namespace kestrune::testing
