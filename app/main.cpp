#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "shell/ProgramFolder.h"
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
    // An installed copy works in the person's own folder, filled on the first start.
    for (const QString& file : PrepareProgramFolder())
        qWarning("Could not copy %s into the program folder.", qUtf8Printable(file));
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
