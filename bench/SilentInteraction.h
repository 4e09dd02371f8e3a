#pragma once

#include "shell/UserInteraction.h"

#include <cstdio>

namespace kestrune::bench {

// Nobody at the screen: messages go to stderr, every question is declined.
class SilentInteraction : public shell::UserInteraction {
public:
    using shell::UserInteraction::confirm;
    void showMessage(const QString& text, shell::MessageKind) override {
        fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    bool confirm(const QString&, const QString&) override { return false; }
    int askQuestion(const QString&, int) override { return shell::Question::ResultCancel; }
    QString chooseSaveFile(const shell::FileDialogRequest&) override { return {}; }
    QString chooseOpenFile(const shell::FileDialogRequest&) override { return {}; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool openWithDefaultProgram(const QString&) override { return false; }
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressCaption(const QString&) override {}
    void progressFinish() override {}
};

} // namespace kestrune::bench
