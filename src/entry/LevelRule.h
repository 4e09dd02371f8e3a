#pragma once

#include <QString>
#include <set>

namespace kestrune::entry {

// A catalogue `Rule`: the union levels (c904) whose units may fill a field.
// Two forms: "in [1,2,3]" (any text containing "in"; the list between the
// first "[" and the last "]", split at commas and blanks, items that read as
// whole numbers 0-255) and an operator form ">=3" (a leading run of "<", "="
// and ">", then a whole number).
struct LevelRule {
    enum class Kind { Always, InList, Compare, Invalid };
    Kind kind = Kind::Always;
    std::set<int> codes;  // InList: the levels named
    int ignoredItems = 0; // InList: items that did not read as a level
    QString op;           // Compare: the operator text as written
    int value = 0;        // Compare: the number compared with
};

LevelRule ParseLevelRule(const QString& rule);

// Whether a unit of this level may fill a field with this rule. An empty rule
// always holds; an operator other than > = < >= <= <> never holds ("=>2").
bool LevelRuleHolds(int level, const QString& rule);
bool LevelRuleHolds(int level, const LevelRule& rule);

} // namespace kestrune::entry
