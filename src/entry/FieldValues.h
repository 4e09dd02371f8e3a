#pragma once

#include <QString>
#include <optional>

namespace kestrune::entry {

// How a box shows and takes a survey number: right-aligned with thousands
// separators, nothing shown for 0; whole numbers except where decimals are allowed.
QString DisplayNumber(double value, bool decimals);
// The number in a box's text (separators allowed); an empty box is 0.
std::optional<double> ParseNumber(const QString& text, bool decimals);

// A yes/no answer above 2 is stored as 2.
int StoredYesNo(int value);

// The limits the catalogue gives a box whose row has an ID above 6.
struct BoxLimits {
    double minimum = 0;
    double maximum = 99999999999999.0;
    int maxLength = -1; // no limit
};
std::optional<BoxLimits> CatalogueLimits(int id, int queryType);
BoxLimits YesNoLimits();

} // namespace kestrune::entry
