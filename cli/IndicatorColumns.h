#pragma once

#include <QString>
#include <array>
#include <bitset>

namespace kestrune::cli {

// The survey tables' indicator columns in the order dt_data holds them: each
// table's letter and how many numbered fields it has (z001..z011, x001..x018…).
struct IndicatorTable {
    char letter;
    int fields;
};

inline constexpr IndicatorTable kIndicatorTables[] = {
    {'z', 11}, {'x', 18}, {'b', 35}, {'f', 18}, {'l', 7},  {'j', 19}, {'s', 21},
    {'w', 5},  {'e', 4},  {'n', 3},  {'g', 4},  {'d', 41}, {'y', 12}};

inline constexpr int kIndicatorCount = [] {
    int count = 0;
    for (const IndicatorTable& table : kIndicatorTables)
        count += table.fields;
    return count;
}();
static_assert(kIndicatorCount == 198, "dt_data holds 198 indicators");

// One indicator column, by its position among the 198. Written as a name
// ("z002") it is resolved while compiling, so a misspelt field name is a
// compile error rather than a wrong column at run time.
struct Indicator {
    int index;

    constexpr explicit Indicator(int position) : index(position) {}

    consteval Indicator(const char (&name)[5]) : index(0) {
        const int number = (name[1] - '0') * 100 + (name[2] - '0') * 10 + (name[3] - '0');
        int offset = 0;
        for (const IndicatorTable& table : kIndicatorTables) {
            if (table.letter == name[0]) {
                if (number < 1 || number > table.fields)
                    throw "no such indicator number";
                index = offset + number - 1;
                return;
            }
            offset += table.fields;
        }
        throw "no such indicator table";
    }
};

// One record's indicator values, in column order.
using IndicatorValues = std::array<double, kIndicatorCount>;
// The indicators that units of one level may fill (the catalogue's Rule).
using FillableIndicators = std::bitset<kIndicatorCount>;

// The column name of an indicator ("z002").
inline QString indicatorName(Indicator field) {
    int offset = 0;
    for (const IndicatorTable& table : kIndicatorTables) {
        if (field.index < offset + table.fields)
            return QLatin1Char(table.letter) +
                   QStringLiteral("%1").arg(field.index - offset + 1, 3, 10, QLatin1Char('0'));
        offset += table.fields;
    }
    return {};
}

} // namespace kestrune::cli
