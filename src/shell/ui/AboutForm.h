#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QLabel;
class QProgressBar;

namespace kestrune::shell {

// Whether a press on the product name asks to reset every record state:
// a double-click with Ctrl and Alt held and Shift not.
bool IsStateResetGesture(Qt::KeyboardModifiers modifiers, bool doubleClick);

// The About box; at start-up it is also the two-second splash.
class TdlgAboutForm : public QDialog {
    Q_OBJECT
public:
    TdlgAboutForm(int buildNumber, bool splash, QWidget* parent = nullptr);

    // Runs when the person asks to reset every record state; closes the box after.
    void setStateReset(std::function<void()> reset) { stateReset_ = std::move(reset); }

    QLabel* productName() const { return productName_; }
    QProgressBar* progressBar() const { return progress_; }
    // One 40 ms step of the splash; public so that tests can drive it.
    void advanceSplash();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* productName_;
    QProgressBar* progress_ = nullptr;
    QTimer splashTimer_;
    std::function<void()> stateReset_;
};

} // namespace kestrune::shell
