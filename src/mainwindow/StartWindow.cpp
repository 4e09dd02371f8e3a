#include "StartWindow.h"

#include "mainwindow/MainForm.h"
#include "shell/Startup.h"
#include "shell/ui/WheelToArrowFilter.h"

#include <QApplication>

namespace kestrune::mainwindow {

using namespace shell;

std::unique_ptr<TMainForm> StartMainWindow(Session& session, UserInteraction& ui, bool splash) {
    if (!StartSession(session, ui))
        return nullptr;
    // Every window of the program turns wheel turns into arrow keys.
    static WheelToArrowFilter* wheel = nullptr;
    if (!wheel) {
        wheel = new WheelToArrowFilter(qApp);
        qApp->installEventFilter(wheel);
    }
    auto mainForm = std::make_unique<TMainForm>(session, ui);
    if (splash)
        mainForm->showSplash();
    mainForm->createLongLivedWindows();
    return mainForm;
}

} // namespace kestrune::mainwindow
