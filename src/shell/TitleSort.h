#pragma once

#include <QString>
#include <vector>

namespace kestrune::shell {

// The look of a column title as the title-click sort leaves it.
struct ColumnTitle {
    enum class Colour { Normal, Lime, InactiveCaption };
    QString text;
    Colour colour = Colour::Normal;
};

// The sort direction belongs to the list, not to a column: the first click
// after the columns are rebuilt sorts descending, every further click on any
// column reverses it.
struct SortState {
    int mode = 1; // 1: the next click sorts descending; 2: ascending
    int sortedColumn = -1;
};

// Applies a click on a column title: updates the state and the titles and
// returns whether the rows are now descending.
bool SortByTitle(int column, SortState& state, std::vector<ColumnTitle>& titles);

} // namespace kestrune::shell
