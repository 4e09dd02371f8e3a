#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/ui/GuardedApplication.h"
#include "shell/ui/QtInteraction.h"
#include "shell/ui/QtTranslations.h"

using namespace kestrune::shell;
using namespace kestrune::mainwindow;

int main(int argc, char* argv[]) {
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(kProductName);
    QApplication::setOrganizationName(QStringLiteral("Brenvatik"));
    // Before the first window: message boxes and file dialogs speak Chinese.
    if (!LoadQtTranslations(app))
        qWarning("Qt's Chinese translations (qtbase_zh_CN.qm) are missing: Qt's own texts stay "
                 "English.");

    QtInteraction ui;
    app.setInteraction(&ui);
    Session session;
    const std::unique_ptr<TMainForm> mainForm = StartMainWindow(session, ui, true);
    if (!mainForm)
        return 1;
    ui.setParent(mainForm.get());
    mainForm->showMaximized();
    return app.exec();
}
