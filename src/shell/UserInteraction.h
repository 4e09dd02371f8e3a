#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kestrune::shell {

enum class MessageKind { Information, Warning, Error };

// The start of every unexpected error a command reports.
inline const QString kRuntimeErrorPrefix = QStringLiteral("运行中发生错误：");

// What a save or open dialog is asked to show.
struct FileDialogRequest {
    QString title;
    QString filter;        // "Access文件(*.mdb)|*.mdb" as pairs of caption and pattern
    QString initialFolder; // empty: wherever the platform starts
    QString proposedName;
    bool confirmOverwrite = false; // save dialogs: ask before replacing a file
};

// What an open dialog that accepts several files returns: the names and the
// filter chosen (counted from 0).
struct OpenFilesChoice {
    QStringList files;
    int filterIndex = 0;
};

// The question dialog's buttons (a bit set) and results.
namespace Question {
constexpr int Yes = 1;
constexpr int No = 2;
constexpr int YesToAll = 4;
constexpr int NoToAll = 8;

constexpr int ResultYes = 6;
constexpr int ResultYesToAll = 10;
constexpr int ResultNo = 7;
constexpr int ResultNoToAll = 9;
constexpr int ResultCancel = 2;
} // namespace Question

// The only way the program reaches the person: message boxes, confirmations,
// the question dialog, file dialogs, the input box, progress and opening a
// file with its default program. The window program shows Qt dialogs, the
// command-line program uses the console, tests answer from a script.
class UserInteraction {
public:
    virtual ~UserInteraction();

    virtual void showMessage(const QString& text, MessageKind kind = MessageKind::Information) = 0;
    // "运行中发生错误：" + the error's text (+ what to do about it).
    void showRuntimeError(const QString& error, const QString& advice = QString()) {
        showMessage(kRuntimeErrorPrefix + error + advice, MessageKind::Error);
    }
    // A Yes/No warning box; true for Yes.
    bool confirm(const QString& text) { return confirm(text, QStringLiteral("提示信息")); }
    virtual bool confirm(const QString& text, const QString& caption) = 0;
    // The question dialog: `buttons` is a bit set of Question::Yes...; returns a
    // Question::Result... code (ResultCancel when closed by its frame).
    virtual int askQuestion(const QString& text, int buttons) = 0;
    // Empty text when cancelled.
    virtual QString chooseSaveFile(const FileDialogRequest& request) = 0;
    virtual QString chooseOpenFile(const FileDialogRequest& request) = 0;
    // An open dialog for several files. Unless overridden: one file from
    // chooseOpenFile, its filter told by its extension.
    virtual OpenFilesChoice chooseOpenFiles(const FileDialogRequest& request);
    // The input box; nothing when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& initial) = 0;
    // Opens a file with the program the system associates with it.
    virtual bool openWithDefaultProgram(const QString& path) = 0;

    // Progress of a long operation: `total` parts of which `done` are complete.
    virtual void progressStart(int total, int done) = 0;
    virtual void progressStep() = 0;
    virtual void progressCaption(const QString& caption) = 0;
    virtual void progressFinish() = 0;
    // Lets pending window events run during a long operation.
    virtual void keepResponsive() {}
};

} // namespace kestrune::shell
