#pragma once

#include <QStringView>
#include <span>

namespace kestrune::check {

// One built-in logic rule. The condition is the expression text read as a
// formula; the record breaks the rule when it is false. The explanation is the
// reader's wording with comparison marks in brackets ("z002 [<=] z001"); it is
// printed through ExplainRule and in a few rules words the rule differently
// from the expression, which alone decides.
struct LogicRule {
    int number;              // 1 to 96, also the order of evaluation
    QStringView table;       // the survey page the rule belongs to, such as "表1"
    QStringView expression;  // printed after "  判断规则："
    QStringView explanation; // translated, printed after "  规则说明："
};

// The 96 rules of the batch logic check, in their order. The texts are the
// survey's own, character for character (doubled blanks included).
std::span<const LogicRule> builtInRules();

} // namespace kestrune::check
