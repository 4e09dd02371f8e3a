#pragma once

#include "shell/UserInteraction.h"

#include <QPointer>

class QWidget;

namespace kestrune::shell {

class TProgressBarForm;

// Qt dialogs for the window program.
class QtInteraction : public UserInteraction {
public:
    explicit QtInteraction(QWidget* parent = nullptr);
    ~QtInteraction() override;

    void setParent(QWidget* parent) { parent_ = parent; }
    void setProgressForm(TProgressBarForm* form);

    void showMessage(const QString& text, MessageKind kind) override;
    using UserInteraction::confirm;
    bool confirm(const QString& text, const QString& caption) override;
    int askQuestion(const QString& text, int buttons) override;
    QString chooseSaveFile(const FileDialogRequest& request) override;
    QString chooseOpenFile(const FileDialogRequest& request) override;
    OpenFilesChoice chooseOpenFiles(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override;
    bool openWithDefaultProgram(const QString& path) override;

    void progressStart(int total, int done) override;
    void progressStep() override;
    void progressCaption(const QString& caption) override;
    void progressFinish() override;
    void keepResponsive() override;

private:
    QWidget* parent_;
    TProgressBarForm* progressForm();

    QPointer<TProgressBarForm> progress_;
};

// "Access文件(*.mdb)|*.mdb|Excel文件|*.xls;*.xlsx" -> "Access文件(*.mdb);;Excel文件 (*.xls
// *.xlsx)": Qt's filters, each pattern list shown once.
QString qtFileFilter(const QString& filter);

} // namespace kestrune::shell
