#pragma once

#include "IndicatorColumns.h"

namespace kestrune::cli {

// The indicator values of one record while they are made up. A field that the
// record's level may not fill keeps 0 whatever is written to it, so every
// value derived from it later sees the 0 that the record will hold.
class AnswerSheet {
public:
    explicit AnswerSheet(const FillableIndicators& fillable) : fillable_(fillable) {
        values_.fill(0.0);
    }

    bool fills(Indicator field) const { return fillable_[size_t(field.index)]; }
    void set(Indicator field, double value) {
        values_[size_t(field.index)] = fills(field) ? value : 0.0;
    }
    double get(Indicator field) const { return values_[size_t(field.index)]; }
    // A whole-number field's value.
    qint64 count(Indicator field) const { return qint64(values_[size_t(field.index)]); }
    bool isYes(Indicator field) const { return get(field) == 1.0; }

    const IndicatorValues& values() const { return values_; }

private:
    const FillableIndicators& fillable_;
    IndicatorValues values_;
};

} // namespace kestrune::cli
