#pragma once

#include <QString>

namespace kestrune::sum {

// The breakdown queries of one summary sheet (2 to 25). Each returns per row
// a row name, a key column, then the sheet's select list items in order. They
// are the definition of what a summary sheet holds; the summation itself
// computes the same values for all chosen sheets in one pass (BreakdownPass).

// One row per union level of CT_LevelCode, in descending sequence; a level
// without records has empty aggregates.
QString LevelBreakdownQuery(int sheet);
// One row per reporting state of ct_state, in descending sequence.
QString StateBreakdownQuery(int sheet);
// The one row of a group item: `position` counts from 1; `lowValue` and
// `highValue` are a comparison followed by a unit code (">=110000000000").
// A quote in the title is doubled, so that any title makes a valid text.
QString GroupItemQuery(int sheet, const QString& title, int position, const QString& lowValue,
                       const QString& highValue);
// The whole database's weighted mean for the total row of sheet 22 (d017)
// or 23 (d031), every record counted; empty for any other sheet.
QString OverallWeightedMeanQuery(int sheet);
// The field that query returns: "sum_d017_cnt" or "sum_d031_cnt".
QString OverallWeightedMeanField(int sheet);

} // namespace kestrune::sum
