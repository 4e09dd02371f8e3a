#pragma once

#include "IndicatorColumns.h"
#include "SeededDice.h"

namespace kestrune::cli {

// Made-up survey answers of one union that reports them (state 1 or 2), for
// tests and benchmarks. Magnitudes fit the union's level (a provincial union
// has more cadres and cases than a township's), fields the level may not fill
// stay 0, yes/no answers are 1 or 2, a few amounts carry fen, and parts, gates,
// breakdowns and growing series agree with each other so that the record
// breaks none of the logic rules.
IndicatorValues sampleAnswers(int level, const FillableIndicators& fillable, SeededDice& dice);

} // namespace kestrune::cli
