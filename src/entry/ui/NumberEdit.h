#pragma once

#include "entry/FieldValues.h"

#include <QLineEdit>
#include <QVariant>

namespace kestrune::entry {

// A numeric box: whole numbers (or decimals where allowed) within its limits,
// shown right-aligned with thousands separators and empty for 0 while it has
// no focus. Typing that does not fit is refused with a hint at the box. A
// value set by the program is kept exactly as given, even one outside the
// limits, which the box shows flagged until the person types another.
class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    double value() const;
    qint64 integerValue() const;
    void setValue(double value);
    // A value as stored: null (no value) shows as 0 and, unless the person
    // types another, is stored back as null.
    void setStoredValue(const QVariant& stored);
    QVariant valueToStore() const;
    void setLimits(const BoxLimits& limits);
    const BoxLimits& limits() const { return limits_; }
    void setDecimals(bool decimals);
    bool decimals() const { return decimals_; }
    // Cover boxes show their number plainly, without separators, 0 as "0"
    // unless `emptyForZero`.
    void setPlain(bool plain, bool emptyForZero);
    // The flag of a value outside the limits; empty when within.
    QString outOfLimitsHint() const { return outOfLimits_; }
    // The hint shown when typing was last refused; empty when none was.
    QString lastRefusal() const { return lastRefusal_; }
    // The width that shows the largest allowed value whole.
    int widthForLargestValue() const;

Q_SIGNALS:
    // The value to store changed: set by the program or typed by the person.
    void valueChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<double> typedValue() const;
    void takeTypedValue();
    void showValue(bool editing);
    void flagOutOfLimits();
    void refuseTyping();

    double value_ = 0;
    BoxLimits limits_;
    bool decimals_ = false;
    bool plain_ = false;
    bool emptyForZero_ = true;
    bool typed_ = false; // edited since the value was last set or taken
    bool null_ = false;  // stored without a value, and nothing set since
    QString outOfLimits_;
    bool flagged_ = false; // the tool tip shows the flag
    QString hint_;         // the tool tip the flag replaced
    QString lastRefusal_;
};

} // namespace kestrune::entry
