#pragma once

#include "entry/FieldValues.h"

#include <QLineEdit>

namespace kestrune::entry {

// A numeric box: whole numbers (or decimals where allowed), kept within its
// range, shown right-aligned with thousands separators and empty for 0 while
// it has no focus.
class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    double value() const;
    qint64 integerValue() const;
    void setValue(double value);
    void setLimits(const BoxLimits& limits);
    const BoxLimits& limits() const { return limits_; }
    void setDecimals(bool decimals);
    // Cover boxes show their number plainly, without separators, 0 as "0"
    // unless `emptyForZero`.
    void setPlain(bool plain, bool emptyForZero);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void takeTypedValue();
    void showValue(bool editing);

    double value_ = 0;
    BoxLimits limits_;
    bool decimals_ = false;
    bool plain_ = false;
    bool emptyForZero_ = true;
    bool typed_ = false; // edited since the value was last set or taken
};

} // namespace kestrune::entry
