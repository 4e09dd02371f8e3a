#include "QtInteraction.h"

#include "ProgressBarForm.h"
#include "QuestionDlg.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace kestrune::shell {

namespace {

const QString kTitle = QStringLiteral("提示信息");

// Messages come above every window, the stay-on-top logic error list
// included, so that nothing hides their buttons.
void keepOnTop(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
}

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        QString patterns = parts[i + 1];
        // A caption that names its patterns already shows them once.
        const QString named = QLatin1Char('(') + patterns + QLatin1Char(')');
        const bool namesThem = caption.endsWith(named);
        if (namesThem)
            caption.chop(named.size());
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << caption + (namesThem ? QStringLiteral("(") : QStringLiteral(" (")) + patterns +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QtInteraction::QtInteraction(QWidget* parent) : parent_(parent) {}
QtInteraction::~QtInteraction() {
    delete progress_;
}

void QtInteraction::showMessage(const QString& text, MessageKind kind) {
    QMessageBox box(iconOf(kind), kTitle, text, QMessageBox::Ok, parent_);
    keepOnTop(box);
    box.exec();
}

bool QtInteraction::confirm(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    keepOnTop(box);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtInteraction::askQuestion(const QString& text, int buttons) {
    return AskQuestion(text, buttons, parent_);
}

QString QtInteraction::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog::Options options;
    if (!request.confirmOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    QString start = request.initialFolder;
    if (!request.proposedName.isEmpty())
        start = start.isEmpty() ? request.proposedName
                                : start + QLatin1Char('/') + request.proposedName;
    return QFileDialog::getSaveFileName(parent_, request.title, start, qtFileFilter(request.filter),
                                        nullptr, options);
}

QString QtInteraction::chooseOpenFile(const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(parent_, request.title, request.initialFolder,
                                        qtFileFilter(request.filter));
}

OpenFilesChoice QtInteraction::chooseOpenFiles(const FileDialogRequest& request) {
    const QString filters = qtFileFilter(request.filter);
    QString chosenFilter;
    OpenFilesChoice choice;
    choice.files = QFileDialog::getOpenFileNames(parent_, request.title, request.initialFolder,
                                                 filters, &chosenFilter);
    choice.filterIndex =
        std::max(0, int(filters.split(QStringLiteral(";;")).indexOf(chosenFilter)));
    return choice;
}

std::optional<QString> QtInteraction::inputText(const QString& title, const QString& prompt,
                                                const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool QtInteraction::openWithDefaultProgram(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtInteraction::setProgressForm(TProgressBarForm* form) {
    progress_ = form;
}

TProgressBarForm* QtInteraction::progressForm() {
    if (!progress_)
        progress_ = new TProgressBarForm(parent_);
    return progress_;
}

void QtInteraction::progressStart(int total, int done) {
    TProgressBarForm* form = progressForm();
    form->show();
    form->StartProgress(total, done);
}

void QtInteraction::progressStep() {
    progressForm()->StepProgress();
}

void QtInteraction::progressCaption(const QString& caption) {
    progressForm()->setWindowTitle(caption);
}

void QtInteraction::progressFinish() {
    if (progress_)
        progress_->hide();
}

void QtInteraction::keepResponsive() {
    QApplication::processEvents();
}

} // namespace kestrune::shell
