#pragma once

#include "SeededDice.h"

#include <QString>

namespace kestrune::cli {

// A Chinese personal name of two or three characters: a common surname and
// one or two given-name characters (the cover accepts Chinese characters only).
QString sampleFillerName(SeededDice& dice);

// A contact number for a union in the region: mostly an office line with the
// province capital's area code ("0311-86012345", 12 or 13 characters), else a
// mobile number of 11 digits; digits and "-" only, as the cover requires.
QString samplePhone(int region, SeededDice& dice);

} // namespace kestrune::cli
