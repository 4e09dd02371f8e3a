#pragma once

#include "schema/Connection.h"
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
// without its password, with a few records of its own. Everything lies in
// memory-backed /dev/shm where the machine has it, so that an input costs no
// disk writes. The working database stays open from one input to the next,
// as the program's session keeps it.
class FuzzStage {
public:
    FuzzStage();

    QString file(const QString& name) const;
    db::Connection& working() { return connection_; }
    // The working database file exactly as it was made, and no journal left
    // beside it (a journal would mean an unfinished transaction).
    bool workingUnchanged() const;
    // Puts the working database back as it was made, after an import that
    // was allowed to change it.
    void restoreWorking();

private:
    QTemporaryDir dir_;
    QString working_;
    QByteArray workingBytes_;
    db::Connection connection_;
};

// The built program's own file: the database, the exchange template.
QString BuiltFile(const QString& name);
QByteArray ReadWhole(const QString& path);
void WriteWhole(const QString& path, const QByteArray& bytes);

} // namespace kestrune::fuzz
