#pragma once

#include "shell/SurveyTerms.h"

#include <QString>
#include <optional>

namespace kestrune::entry {

// The limits of a numeric box.
struct BoxLimits {
    double minimum = 0;
    double maximum = 99999999999999.0;
    int maxLength = -1; // characters, no limit when negative
};

// How a box shows a survey number: with thousands separators, nothing for 0.
// A stored value is shown as it is, whatever the box's kind or limits: a
// fraction in a whole-number box, a negative or an infinite value.
QString DisplayNumber(double value);
// The same without separators, as a cover box and a box being edited show it.
QString PlainNumber(double value);
// The number in a box's text (separators allowed); an empty box is 0.
std::optional<double> ParseNumber(const QString& text, bool decimals);

// What a box makes of text being typed into it.
enum class TypedNumber {
    Acceptable,
    Unfinished, // "1." on the way to "1.5"
    Refused,    // a character it does not take, or a number beyond its limits
};
TypedNumber CheckTypedNumber(const QString& text, bool decimals, const BoxLimits& limits);
// Shown beside a box that refused what was typed.
QString RefusalHint(bool decimals, const BoxLimits& limits);

// A stored value that the box could not take from a person: outside its
// limits, not finite, or a fraction in a whole-number box. The box shows it
// unchanged and flags it with this text; saving keeps it unless the person
// types another.
std::optional<QString> OutOfLimitsHint(double value, bool decimals, const BoxLimits& limits);

// The whole number nearest a box's value, held within the range of qint64
// (0 for a value that is not a number).
qint64 NearestWhole(double value);

// The limits the catalogue gives a box whose row has an ID above 6.
std::optional<BoxLimits> CatalogueLimits(int id, shell::QueryType queryType);
BoxLimits YesNoLimits();

} // namespace kestrune::entry
