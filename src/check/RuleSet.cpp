#include "RuleSet.h"

#include "ConditionSyntaxError.h"

namespace kestrune::check {

const RuleSet& RuleSet::builtIn() {
    static const RuleSet rules(builtInRules());
    return rules;
}

RuleSet::RuleSet(std::span<const LogicRule> rules) : rules_(rules) {
    conditions_.reserve(rules.size());
    for (const LogicRule& rule : rules) {
        try {
            conditions_.push_back(CompiledCondition::compile(rule.expression, fields_));
        } catch (const ConditionSyntaxError& e) {
            throw ConditionSyntaxError(QStringLiteral("规则%1第%2个字符：%3")
                                           .arg(rule.number)
                                           .arg(e.position() + 1)
                                           .arg(e.text()),
                                       e.position());
        }
    }
}

std::vector<int> RuleSet::brokenRules(const RecordValues& values) const {
    std::vector<int> broken;
    for (size_t i = 0; i < rules_.size(); ++i) {
        if (!passes(i, values))
            broken.push_back(rules_[i].number);
    }
    return broken;
}

} // namespace kestrune::check
