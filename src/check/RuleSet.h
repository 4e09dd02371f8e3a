#pragma once

#include "CompiledCondition.h"
#include "FieldSlots.h"
#include "RecordValues.h"
#include "RuleTable.h"

#include <span>
#include <vector>

namespace kestrune::check {

// Rules with their conditions compiled once, and the fields those conditions
// read: a record's values are read into those slots and every rule runs on
// them.
class RuleSet {
public:
    // The 96 built-in rules, compiled at first use.
    static const RuleSet& builtIn();

    // Throws ConditionSyntaxError, naming the rule, when a condition does not parse.
    explicit RuleSet(std::span<const LogicRule> rules);

    std::span<const LogicRule> rules() const { return rules_; }
    const FieldSlots& fields() const { return fields_; }
    bool passes(size_t index, const RecordValues& values) const {
        return conditions_[index].holds(values);
    }
    // The numbers of the rules the record breaks, in rule order.
    std::vector<int> brokenRules(const RecordValues& values) const;

private:
    std::span<const LogicRule> rules_;
    FieldSlots fields_;
    std::vector<CompiledCondition> conditions_;
};

} // namespace kestrune::check
