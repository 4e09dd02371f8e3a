#include "GuardedApplication.h"

#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"

#include <cstdio>
#include <exception>

namespace kestrune::shell {

namespace {

void report(UserInteraction* ui, const QString& error) {
    // A failure while the report itself is shown is only written out.
    static bool reporting = false;
    if (!ui || reporting) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(kRuntimeErrorPrefix + error));
        return;
    }
    reporting = true;
    ui->showRuntimeError(error);
    reporting = false;
}

} // namespace

bool DeliverGuarded(const std::function<bool()>& deliver, UserInteraction* ui) {
    try {
        return deliver();
    } catch (const db::EngineError& e) {
        report(ui, FailureReason(e));
    } catch (const std::exception& e) {
        report(ui, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); }, ui_);
}

} // namespace kestrune::shell
