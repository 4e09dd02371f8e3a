#pragma once

#include "UserInteraction.h"

#include <QStringList>
#include <cstdio>

namespace kestrune::shell {

// The console stand-in for kestrune-cli: messages go to the standard streams,
// questions are asked on the terminal. Without a terminal (scripts, CI) the
// answers come from the options: `assumeYes` answers Yes, otherwise No, and
// file names come from the queue given on the command line.
class ConsoleInteraction : public UserInteraction {
public:
    ConsoleInteraction(FILE* out = stdout, FILE* err = stderr);

    void setAssumeYes(bool yes) { assumeYes_ = yes; }
    void setInteractive(bool interactive) { interactive_ = interactive; }
    // File names handed to the next file dialogs, in order.
    void queueFileName(const QString& path) { fileNames_ << path; }
    void setQuiet(bool quiet) { quiet_ = quiet; }

    void showMessage(const QString& text, MessageKind kind) override;
    using UserInteraction::confirm;
    bool confirm(const QString& text, const QString& caption) override;
    int askQuestion(const QString& text, int buttons) override;
    QString chooseSaveFile(const FileDialogRequest& request) override;
    QString chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override;
    bool openWithDefaultProgram(const QString& path) override;

    void progressStart(int total, int done) override;
    void progressStep() override;
    void progressCaption(const QString& caption) override;
    void progressFinish() override;

private:
    QString readLine(const QString& prompt);
    QString nextFileName(const FileDialogRequest& request);
    void showProgress();

    FILE* out_;
    FILE* err_;
    bool assumeYes_ = false;
    bool interactive_ = false;
    bool quiet_ = false;
    QStringList fileNames_;
    int total_ = 0;
    int done_ = 0;
    int lastPercent_ = -1;
};

} // namespace kestrune::shell
