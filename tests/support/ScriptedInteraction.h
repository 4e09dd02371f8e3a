#pragma once

#include "shell/UserInteraction.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace kestrune::testing {

struct RecordedMessage {
    shell::MessageKind kind;
    QString text;
};

// The person, as a test scripts them: every message and question is recorded,
// answers are taken from queues in order. A question without a scripted
// answer is a test failure.
class ScriptedInteraction : public shell::UserInteraction {
public:
    std::vector<RecordedMessage> messages;
    QStringList confirmations; // texts of the Yes/No boxes shown
    QStringList confirmationCaptions;
    QStringList questions;
    std::vector<shell::FileDialogRequest> fileDialogs;
    QStringList openedFiles;
    QStringList progressLog;

    std::deque<bool> confirmAnswers;
    std::deque<int> questionAnswers;
    std::deque<QString> fileAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    // As on a system where no program opens the file: opening fails (the
    // attempt is still recorded in openedFiles).
    bool noDefaultProgram = false;
    // Called with each question while it is up, before it is answered: what
    // the person sees behind it.
    std::function<void(const QString&)> onQuestion;

    QStringList messageTexts() const;

    void showMessage(const QString& text, shell::MessageKind kind) override;
    using shell::UserInteraction::confirm;
    bool confirm(const QString& text, const QString& caption) override;
    int askQuestion(const QString& text, int buttons) override;
    QString chooseSaveFile(const shell::FileDialogRequest& request) override;
    QString chooseOpenFile(const shell::FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override;
    bool openWithDefaultProgram(const QString& path) override;
    void progressStart(int total, int done) override;
    void progressStep() override;
    void progressCaption(const QString& caption) override;
    void progressFinish() override;
};

} // namespace kestrune::testing
