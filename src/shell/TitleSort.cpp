#include "TitleSort.h"

namespace kestrune::shell {

namespace {

const QChar kUp(0x25B2);   // ▲
const QChar kDown(0x25BC); // ▼

void dropLastCharacter(QString& text) {
    if (!text.isEmpty())
        text.chop(1);
}

} // namespace

bool SortByTitle(int column, SortState& state, std::vector<ColumnTitle>& titles) {
    const bool descending = state.mode == 1;
    state.mode = descending ? 2 : 1;
    ColumnTitle& clicked = titles.at(size_t(column));
    if (clicked.text.contains(kUp) || clicked.text.contains(kDown))
        dropLastCharacter(clicked.text);
    clicked.text += state.mode == 1 ? kUp : kDown;
    if (clicked.colour == ColumnTitle::Colour::Lime)
        return descending;
    clicked.colour = ColumnTitle::Colour::Lime;
    if (state.sortedColumn >= 0 && state.sortedColumn != column &&
        size_t(state.sortedColumn) < titles.size()) {
        ColumnTitle& previous = titles[size_t(state.sortedColumn)];
        previous.colour = ColumnTitle::Colour::InactiveCaption;
        dropLastCharacter(previous.text);
    }
    state.sortedColumn = column;
    return descending;
}

} // namespace kestrune::shell
