#pragma once

#include "shell/UserInteraction.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kestrune::fuzz {

// Nobody at the screen who says Yes to every label and reads nothing.
class ConfirmingPerson : public shell::UserInteraction {
public:
    using shell::UserInteraction::confirm;
    void showMessage(const QString&, shell::MessageKind) override {}
    bool confirm(const QString&, const QString&) override { return true; }
    int askQuestion(const QString&, int) override { return shell::Question::ResultCancel; }
    QString chooseSaveFile(const shell::FileDialogRequest&) override { return {}; }
    QString chooseOpenFile(const shell::FileDialogRequest&) override { return {}; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool openWithDefaultProgram(const QString&) override { return true; }
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressCaption(const QString&) override {}
    void progressFinish() override {}
};

// A private program folder (where the working copy goes), temporary folder
// (the conflict report) and a working database made from the built one,
// without its password, with a few records of its own.
class FuzzStage {
public:
    FuzzStage();

    QString file(const QString& name) const;
    QString workingDatabase() const { return working_; }
    QByteArray workingBytes() const { return workingBytes_; }

private:
    QTemporaryDir dir_;
    QString working_;
    QByteArray workingBytes_;
};

// The built program's own file: the database, the exchange template.
QString BuiltFile(const QString& name);
QByteArray ReadWhole(const QString& path);
void WriteWhole(const QString& path, const QByteArray& bytes);

} // namespace kestrune::fuzz
