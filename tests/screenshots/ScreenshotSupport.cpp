#include "ScreenshotSupport.h"

#include "shell/ui/QuestionDlg.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace kestrune::screenshots {

namespace {

// Wider pictures are scaled down to this width.
constexpr int kGuideWidth = 1000;
constexpr int kCaptionHeight = 26;

void save(const QImage& image, const QString& path) {
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

// The caption bar a desktop draws, so that the guide's reader finds each
// window by its caption; borderless windows (the About box) stay bare.
QImage withCaption(QWidget* widget) {
    const QImage body = widget->grab().toImage();
    if (widget->windowFlags().testFlag(Qt::FramelessWindowHint))
        return body;
    QImage framed(body.width() + 2, body.height() + kCaptionHeight + 1, QImage::Format_RGB32);
    framed.fill(QColor(0x47, 0x5d, 0x7a));
    QPainter painter(&framed);
    painter.fillRect(1, 1, framed.width() - 2, kCaptionHeight - 1, QColor(0x35, 0x57, 0x85));
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(10, 1, framed.width() - 50, kCaptionHeight - 1),
                     Qt::AlignVCenter | Qt::AlignLeft, widget->windowTitle());
    painter.drawText(QRect(framed.width() - 30, 1, 24, kCaptionHeight - 1), Qt::AlignCenter,
                     QStringLiteral("×"));
    painter.drawImage(1, kCaptionHeight, body);
    return framed;
}

void pollForModal(QWidget* before, std::function<void(QWidget*)> act, int triesLeft) {
    QTimer::singleShot(20, [before, act = std::move(act), triesLeft]() mutable {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown && shown != before && shown->isVisible()) {
            QApplication::processEvents();
            act(shown);
            return;
        }
        if (triesLeft > 0)
            pollForModal(before, std::move(act), triesLeft - 1);
        else
            ADD_FAILURE() << "no modal window appeared";
    });
}

} // namespace

QDir screenshotFolder(const QString& subfolder) {
    QString folder = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(KESTRUNE_DEFAULT_SCREENSHOT_DIR);
    if (!subfolder.isEmpty())
        folder += QLatin1Char('/') + subfolder;
    QDir().mkpath(folder);
    return QDir(folder);
}

void saveScreenshot(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    save(widget->grab().toImage(), screenshotFolder().filePath(name));
}

void saveGuidePicture(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    QImage image = withCaption(widget);
    if (image.width() > kGuideWidth)
        image = image.scaledToWidth(kGuideWidth, Qt::SmoothTransformation);
    save(image, screenshotFolder(QStringLiteral("guide")).filePath(name));
}

void whenModalShows(std::function<void(QWidget*)> act) {
    pollForModal(QApplication::activeModalWidget(), std::move(act), 250);
}

QString DrawingPerson::takePicture(const QString& text) {
    for (auto it = pictures_.begin(); it != pictures_.end(); ++it) {
        if (text.contains(it->first)) {
            const QString picture = it->second;
            pictures_.erase(it);
            return picture;
        }
    }
    return QString();
}

void DrawingPerson::showMessage(const QString& text, shell::MessageKind kind) {
    ScriptedInteraction::showMessage(text, kind);
    const QString picture = takePicture(text);
    whenModalShows([picture](QWidget* box) {
        if (!picture.isEmpty())
            saveGuidePicture(box, picture);
        static_cast<QDialog*>(box)->accept();
    });
    windows_.showMessage(text, kind);
}

bool DrawingPerson::confirm(const QString& text, const QString& caption) {
    const bool answer = ScriptedInteraction::confirm(text, caption);
    const QString picture = takePicture(text);
    whenModalShows([picture, answer](QWidget* shown) {
        if (!picture.isEmpty())
            saveGuidePicture(shown, picture);
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        box->button(answer ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    windows_.confirm(text, caption);
    return answer;
}

int DrawingPerson::askQuestion(const QString& text, int buttons) {
    const int answer = ScriptedInteraction::askQuestion(text, buttons);
    const QString picture = takePicture(text);
    const QString chosen = answer == shell::Question::ResultYes        ? QStringLiteral("是")
                           : answer == shell::Question::ResultYesToAll ? QStringLiteral("全都是")
                           : answer == shell::Question::ResultNoToAll  ? QStringLiteral("全都否")
                                                                       : QStringLiteral("否");
    whenModalShows([picture, chosen](QWidget* shown) {
        if (!picture.isEmpty())
            saveGuidePicture(shown, picture);
        auto* dialog = qobject_cast<shell::TQuestionDlg*>(shown);
        ASSERT_NE(dialog, nullptr);
        for (QPushButton* button : dialog->visibleButtons())
            if (button->text() == chosen)
                return button->click();
        dialog->reject();
    });
    windows_.askQuestion(text, buttons);
    return answer;
}

// The file dialogs are the platform's; drawn (Qt's own) only when asked for,
// then answered from the script.
void DrawingPerson::drawFileDialog(const shell::FileDialogRequest& request, bool saving) {
    const QString picture = takePicture(request.title);
    if (picture.isEmpty())
        return;
    QFileDialog dialog(nullptr, request.title, request.initialFolder,
                       shell::qtFileFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    dialog.resize(640, 400);
    dialog.show();
    saveGuidePicture(&dialog, picture);
}

QString DrawingPerson::chooseSaveFile(const shell::FileDialogRequest& request) {
    drawFileDialog(request, true);
    return ScriptedInteraction::chooseSaveFile(request);
}

QString DrawingPerson::chooseOpenFile(const shell::FileDialogRequest& request) {
    drawFileDialog(request, false);
    return ScriptedInteraction::chooseOpenFile(request);
}

std::optional<QString> DrawingPerson::inputText(const QString& title, const QString& prompt,
                                                const QString& initial) {
    const std::optional<QString> answer = ScriptedInteraction::inputText(title, prompt, initial);
    const QString picture = takePicture(title);
    whenModalShows([picture, answer](QWidget* shown) {
        if (!picture.isEmpty())
            saveGuidePicture(shown, picture);
        auto* dialog = qobject_cast<QInputDialog*>(shown);
        ASSERT_NE(dialog, nullptr);
        if (!answer)
            return dialog->reject();
        dialog->setTextValue(*answer);
        dialog->accept();
    });
    windows_.inputText(title, prompt, initial);
    return answer;
}

} // namespace kestrune::screenshots
