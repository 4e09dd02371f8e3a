#include "NumberEdit.h"

#include <QToolTip>
#include <QValidator>

namespace kestrune::entry {

namespace {

// Lets through what the box's rules accept; the box refuses the rest as a
// whole, so nothing typed or pasted is silently cut.
class TypedNumberValidator : public QValidator {
public:
    explicit TypedNumberValidator(const TNumberEdit* box) : QValidator(nullptr), box_(box) {}

    State validate(QString& text, int&) const override {
        switch (CheckTypedNumber(text, box_->decimals(), box_->limits())) {
        case TypedNumber::Acceptable:
            return Acceptable;
        case TypedNumber::Unfinished:
            return Intermediate;
        case TypedNumber::Refused:
            break;
        }
        return Invalid;
    }

private:
    const TNumberEdit* box_;
};

} // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* validator = new TypedNumberValidator(this);
    validator->setParent(this);
    setValidator(validator);
    connect(this, &QLineEdit::textEdited, this, [this] {
        typed_ = true;
        lastRefusal_.clear();
        flagOutOfLimits();
        Q_EMIT valueChanged();
    });
    connect(this, &QLineEdit::inputRejected, this, &TNumberEdit::refuseTyping);
}

void TNumberEdit::setDecimals(bool decimals) {
    decimals_ = decimals;
    showValue(hasFocus());
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
    showValue(hasFocus());
}

int TNumberEdit::widthForLargestValue() const {
    const QString largest = plain_ ? PlainNumber(limits_.maximum) : DisplayNumber(limits_.maximum);
    // One digit more: room for the frame, the text margins and the cursor.
    return fontMetrics().horizontalAdvance(largest + QLatin1Char('0'));
}

std::optional<double> TNumberEdit::typedValue() const {
    if (!typed_)
        return std::nullopt;
    const auto typed = ParseNumber(text(), decimals_);
    if (!typed || *typed < limits_.minimum || *typed > limits_.maximum)
        return std::nullopt;
    return typed;
}

double TNumberEdit::value() const {
    // What was typed counts from the first key, also while the box is being
    // left and the exit checks read it before the box takes it. Text that is
    // no number within the limits leaves the value as it was.
    return typedValue().value_or(value_);
}

qint64 TNumberEdit::integerValue() const {
    return NearestWhole(value());
}

void TNumberEdit::setValue(double value) {
    typed_ = false;
    null_ = false;
    value_ = value;
    showValue(hasFocus());
    Q_EMIT valueChanged();
}

void TNumberEdit::setStoredValue(const QVariant& stored) {
    typed_ = false;
    null_ = stored.isNull();
    value_ = stored.toDouble();
    showValue(hasFocus());
    Q_EMIT valueChanged();
}

QVariant TNumberEdit::valueToStore() const {
    if (null_ && !typedValue())
        return QVariant();
    return value();
}

void TNumberEdit::takeTypedValue() {
    if (!typed_)
        return;
    if (!typedValue()) {
        // Nothing usable was typed: the value stays as it was.
        refuseTyping();
        typed_ = false;
        showValue(hasFocus());
        return;
    }
    setValue(value());
}

void TNumberEdit::showValue(bool editing) {
    if (plain_)
        setText(value_ == 0 && emptyForZero_ ? QString() : PlainNumber(value_));
    else if (editing)
        setText(value_ == 0 ? QString() : PlainNumber(value_));
    else
        setText(DisplayNumber(value_));
    flagOutOfLimits();
}

void TNumberEdit::flagOutOfLimits() {
    outOfLimits_ = OutOfLimitsHint(value(), decimals_, limits_).value_or(QString());
    QPalette colours = palette();
    colours.setColor(QPalette::Text,
                     outOfLimits_.isEmpty() ? QPalette().color(QPalette::Text) : QColor(Qt::red));
    setPalette(colours);
    // The flag stands in for the box's own hint while it is shown.
    if (!outOfLimits_.isEmpty()) {
        if (!flagged_)
            hint_ = toolTip();
        setToolTip(outOfLimits_);
    } else if (flagged_) {
        setToolTip(hint_);
    }
    flagged_ = !outOfLimits_.isEmpty();
}

void TNumberEdit::refuseTyping() {
    lastRefusal_ = RefusalHint(decimals_, limits_);
    QToolTip::showText(mapToGlobal(QPoint(0, height())), lastRefusal_, this);
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
