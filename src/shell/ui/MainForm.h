#pragma once

#include <QMainWindow>

namespace kestrune::shell {

struct Session;

// The program's only top-level window; it owns the session (settings and the
// database connection) that start-up prepared.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Session& session, QWidget* parent = nullptr);

private:
    Session& session_;
};

} // namespace kestrune::shell
