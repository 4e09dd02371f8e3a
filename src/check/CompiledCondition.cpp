#include "CompiledCondition.h"

namespace kestrune::check {

RuleValue CompiledCondition::number(int index, const RuleValue* values) const {
    const Node& node = nodes_[size_t(index)];
    switch (node.op) {
    case Op::Field:
        return values[node.left];
    case Op::Constant:
        return constants_[size_t(node.left)];
    case Op::Add:
        return add(number(node.left, values), number(node.right, values));
    case Op::Multiply:
        return multiply(number(node.left, values), number(node.right, values));
    default:
        return {}; // the parser gives truth nodes no numeric parent
    }
}

bool CompiledCondition::truth(int index, const RuleValue* values) const {
    const Node& node = nodes_[size_t(index)];
    switch (node.op) {
    case Op::Compare:
        return compare(node.comparison, number(node.left, values), number(node.right, values));
    case Op::And:
        return truth(node.left, values) && truth(node.right, values);
    case Op::Or:
        return truth(node.left, values) || truth(node.right, values);
    default:
        return false; // the parser gives numeric nodes no truth parent
    }
}

} // namespace kestrune::check
