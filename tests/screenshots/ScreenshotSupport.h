#pragma once

#include "shell/ui/QtInteraction.h"
#include "support/ScriptedInteraction.h"

#include <QDir>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace kestrune::screenshots {

// $KESTRUNE_SCREENSHOT_DIR (or the build's own folder), with `subfolder`.
QDir screenshotFolder(const QString& subfolder = QString());

// The widget as it is drawn, into the screenshot folder.
void saveScreenshot(QWidget* widget, const QString& name);

// The user's guide's pictures go into "guide/": a window with its caption
// drawn above it (the offscreen platform draws no frames), no wider than a
// page shows sharply.
void saveGuidePicture(QWidget* widget, const QString& name);

// Runs `act` on the next modal window that opens above the present one: the
// way to draw and close a window a command shows with exec().
void whenModalShows(std::function<void(QWidget*)> act);

// The scripted person who sees the real message boxes, Yes/No boxes, input
// boxes and question dialogs of the window program: each is shown as the
// program shows it, drawn when a picture is asked for it, then answered from
// the script.
class DrawingPerson : public testing::ScriptedInteraction {
public:
    // The next dialog whose text (or caption, for file and input dialogs)
    // contains `part` is drawn as `picture` into the guide's folder.
    void drawWhenShown(const QString& part, const QString& picture) {
        pictures_.emplace_back(part, picture);
    }

    void showMessage(const QString& text, shell::MessageKind kind) override;
    using ScriptedInteraction::confirm;
    bool confirm(const QString& text, const QString& caption) override;
    int askQuestion(const QString& text, int buttons) override;
    QString chooseSaveFile(const shell::FileDialogRequest& request) override;
    QString chooseOpenFile(const shell::FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override;

private:
    // The picture asked for a dialog showing `text`, empty when none.
    QString takePicture(const QString& text);
    void drawFileDialog(const shell::FileDialogRequest& request, bool saving);

    shell::QtInteraction windows_;
    std::vector<std::pair<QString, QString>> pictures_;
};

} // namespace kestrune::screenshots
