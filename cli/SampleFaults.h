#pragma once

#include "IndicatorColumns.h"
#include "SeededDice.h"

namespace kestrune::cli {

// Spoils a record's answers the way a hurried clerk does: one to three parts
// come out larger than their wholes (more women than cadres, more cases won
// than heard), each breaking at least the logic rule that ties the part to its
// whole. Only fields the record's level may fill are touched. Returns how many
// parts were spoilt; 0 only when the level fills none of the pairs.
int spoilAnswers(IndicatorValues& values, const FillableIndicators& fillable, SeededDice& dice);

} // namespace kestrune::cli
