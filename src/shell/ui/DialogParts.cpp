#include "DialogParts.h"

#include "shell/WindowPlacement.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace kestrune::shell {

QHBoxLayout* RunAndReturnButtons(QDialog* dialog, const QString& runCaption,
                                 const std::function<void()>& run, QPushButton** runButton) {
    auto* runs = new QPushButton(runCaption, dialog);
    auto* back = new QPushButton(QStringLiteral("返  回"), dialog);
    runs->setDefault(true);
    QObject::connect(runs, &QPushButton::clicked, dialog, run);
    QObject::connect(back, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(runs);
    buttons->addWidget(back);
    if (runButton)
        *runButton = runs;
    return buttons;
}

QMargins WindowFrameWidths(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (outer == inner)
        return kUsualFrame;
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

QValidator* DigitsValidator(QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}

QValidator* NoQuotesValidator(QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^'\"`]*")), parent);
}

} // namespace kestrune::shell
