#include "MainForm.h"

#include "shell/Startup.h"

namespace kestrune::shell {

TMainForm::TMainForm(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(session_.caption);
    resize(1024, 700);
}

} // namespace kestrune::shell
