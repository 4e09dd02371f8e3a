#pragma once

#include <QApplication>
#include <functional>

namespace kestrune::shell {

class UserInteraction;

// Runs one delivery of a window event; an error that escapes it (a busy or
// damaged database met inside a slot, say) is reported as "运行中发生错误：…"
// through `ui` and the program keeps running. False when it was caught.
bool DeliverGuarded(const std::function<bool()>& deliver, UserInteraction* ui);

// The window program's application object: no error escapes an event
// handler or slot to end the program and lose what was typed.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    void setInteraction(UserInteraction* ui) { ui_ = ui; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    UserInteraction* ui_ = nullptr;
};

} // namespace kestrune::shell
