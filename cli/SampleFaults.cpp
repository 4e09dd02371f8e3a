#include "SampleFaults.h"

#include <vector>

namespace kestrune::cli {

namespace {

struct PartOfWhole {
    Indicator part;
    Indicator whole;
};

// Pairs the logic rules hold as "part <= whole", from every survey page.
const PartOfWhole kPartsOfWholes[] = {
    {"z002", "z001"}, {"z004", "z003"}, {"x002", "x001"}, {"x010", "x009"}, {"x012", "x011"},
    {"x014", "x013"}, {"x016", "x015"}, {"b003", "b002"}, {"b008", "b006"}, {"b022", "b021"},
    {"f005", "f004"}, {"f014", "f013"}, {"l006", "l005"}, {"j012", "j011"}, {"j013", "j011"},
    {"j017", "j016"}, {"s009", "s008"}, {"s011", "s010"}, {"d003", "d001"}, {"d009", "d008"},
    {"d013", "d012"}, {"y005", "y004"}, {"y007", "y006"},
};

} // namespace

int spoilAnswers(IndicatorValues& values, const FillableIndicators& fillable, SeededDice& dice) {
    std::vector<PartOfWhole> candidates;
    for (const PartOfWhole& pair : kPartsOfWholes) {
        if (fillable[size_t(pair.part.index)] && fillable[size_t(pair.whole.index)])
            candidates.push_back(pair);
    }
    const int wanted = 1 + dice.weighted({70, 25, 5});
    int spoilt = 0;
    while (spoilt < wanted && !candidates.empty()) {
        const auto chosen = candidates.begin() + dice.between(0, qint64(candidates.size()) - 1);
        values[size_t(chosen->part.index)] =
            values[size_t(chosen->whole.index)] + double(dice.between(1, 3));
        candidates.erase(chosen);
        ++spoilt;
    }
    return spoilt;
}

} // namespace kestrune::cli
