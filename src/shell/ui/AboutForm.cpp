#include "AboutForm.h"

#include "shell/ProductVersion.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kestrune::shell {

bool IsStateResetGesture(Qt::KeyboardModifiers modifiers, bool doubleClick) {
    return doubleClick && modifiers.testFlag(Qt::ControlModifier) &&
           modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ShiftModifier);
}

TdlgAboutForm::TdlgAboutForm(int buildNumber, bool splash, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog),
      productName_(new QLabel(QStringLiteral("Kestrune"), this)) {
    setObjectName(QStringLiteral("dlgAboutForm"));
    setFixedSize(550, 300);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(236, 242, 250));
    setPalette(palette);

    QFont big = productName_->font();
    big.setPointSize(36);
    big.setBold(true);
    productName_->setFont(big);
    productName_->setAlignment(Qt::AlignCenter);
    productName_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 40, 30, 24);
    layout->addStretch();
    layout->addWidget(productName_);
    auto* version = new QLabel(AboutVersionText(buildNumber), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* maker = new QLabel(QStringLiteral("开发单位：Brenvatik"), this);
    maker->setAlignment(Qt::AlignCenter);
    layout->addWidget(maker);
    layout->addStretch();
    if (splash) {
        progress_ = new QProgressBar(this);
        progress_->setRange(0, 100);
        progress_->setValue(0);
        progress_->setTextVisible(false);
        layout->addWidget(progress_);
        splashTimer_.setInterval(40);
        connect(&splashTimer_, &QTimer::timeout, this, &TdlgAboutForm::advanceSplash);
        splashTimer_.start();
    }
}

void TdlgAboutForm::advanceSplash() {
    if (!progress_)
        return;
    progress_->setValue(std::min(100, progress_->value() + 2));
    if (progress_->value() >= 100) {
        splashTimer_.stop();
        accept();
    }
}

void TdlgAboutForm::mousePressEvent(QMouseEvent*) {
    if (!progress_)
        accept();
}

void TdlgAboutForm::mouseDoubleClickEvent(QMouseEvent*) {
    if (!progress_)
        accept();
}

bool TdlgAboutForm::eventFilter(QObject* watched, QEvent* event) {
    // The first press of the reset's double-click must not close the box.
    if (watched == productName_ &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease) &&
        stateReset_ && IsStateResetGesture(static_cast<QMouseEvent*>(event)->modifiers(), true))
        return true;
    if (watched == productName_ && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (IsStateResetGesture(mouse->modifiers(), true) && stateReset_) {
            stateReset_();
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrune::shell
