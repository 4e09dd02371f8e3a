#pragma once

#include "FieldSlots.h"
#include "RecordValues.h"
#include "RuleValue.h"

#include <QStringView>
#include <vector>

namespace kestrune::check {

// A condition text parsed once into a tree of nodes over field slots, so that
// checking a record only walks the tree: "and" binds tighter than "or",
// comparisons tighter than both, "*" tighter than "+", parentheses group.
class CompiledCondition {
public:
    enum class Op : quint8 { Field, Constant, Add, Multiply, Compare, And, Or };
    struct Node {
        Op op;
        Comparison comparison; // Compare
        int left;              // Field: the slot; Constant: the constant's index
        int right;
    };

    // Throws ConditionSyntaxError; every field named gets a slot in `fields`.
    static CompiledCondition compile(QStringView text, FieldSlots& fields);

    CompiledCondition(std::vector<Node> nodes, std::vector<RuleValue> constants, int root)
        : nodes_(std::move(nodes)), constants_(std::move(constants)), root_(root) {}

    bool holds(const RecordValues& values) const { return truth(root_, values.data()); }

private:
    RuleValue number(int node, const RuleValue* values) const;
    bool truth(int node, const RuleValue* values) const;

    std::vector<Node> nodes_;
    std::vector<RuleValue> constants_;
    int root_;
};

} // namespace kestrune::check
