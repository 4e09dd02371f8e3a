#include "NumberEdit.h"

#include <QRegularExpressionValidator>
#include <algorithm>
#include <cmath>

namespace kestrune::entry {

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setDecimals(false);
    connect(this, &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void TNumberEdit::setDecimals(bool decimals) {
    decimals_ = decimals;
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(decimals ? QStringLiteral("[0-9,]*\\.?[0-9]*")
                                    : QStringLiteral("[0-9,]*")),
        this));
}

void TNumberEdit::setPlain(bool plain, bool emptyForZero) {
    plain_ = plain;
    emptyForZero_ = emptyForZero;
    if (plain)
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    showValue(hasFocus());
}

void TNumberEdit::setLimits(const BoxLimits& limits) {
    limits_ = limits;
    setMaxLength(limits.maxLength > 0 ? limits.maxLength : 32767);
    setValue(value_);
}

double TNumberEdit::value() const {
    // What was typed counts from the first key, also while the box is being
    // left and the exit checks read it before the box takes it.
    if (hasFocus() || typed_) {
        if (const auto typed = ParseNumber(text(), decimals_))
            return std::clamp(*typed, limits_.minimum, limits_.maximum);
    }
    return value_;
}

qint64 TNumberEdit::integerValue() const {
    return std::llround(value());
}

void TNumberEdit::setValue(double value) {
    typed_ = false;
    value_ = std::clamp(decimals_ ? value : std::round(value), limits_.minimum, limits_.maximum);
    showValue(hasFocus());
}

void TNumberEdit::takeTypedValue() {
    const auto typed = ParseNumber(text(), decimals_);
    setValue(typed.value_or(value_));
}

void TNumberEdit::showValue(bool editing) {
    if (plain_) {
        setText(value_ == 0 && emptyForZero_ ? QString()
                                             : QString::number(value_, 'f', decimals_ ? 2 : 0));
        return;
    }
    if (editing)
        setText(value_ == 0 ? QString()
                            : DisplayNumber(value_, decimals_).remove(QLatin1Char(',')));
    else
        setText(DisplayNumber(value_, decimals_));
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
    showValue(true);
    QLineEdit::focusInEvent(event);
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    takeTypedValue();
    showValue(false);
    QLineEdit::focusOutEvent(event);
}

} // namespace kestrune::entry
