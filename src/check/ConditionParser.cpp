#include "CompiledCondition.h"
#include "ConditionLexer.h"
#include "ConditionSyntaxError.h"

namespace kestrune::check {

namespace {

using Kind = ConditionToken::Kind;
using Op = CompiledCondition::Op;

// Binding strength of the binary operators; 0 for anything that ends an operand.
int precedence(Kind kind) {
    switch (kind) {
    case Kind::Or:
        return 1;
    case Kind::And:
        return 2;
    case Kind::Compare:
        return 3;
    case Kind::Plus:
        return 4;
    case Kind::Times:
        return 5;
    default:
        return 0;
    }
}

// Precedence climbing over the tokens. Every node is either a number or a
// truth value, and each operator checks its operands' kind, so "a < b < c",
// "a + (b > c)" and "a and b" are refused rather than given a meaning.
class ConditionParser {
public:
    ConditionParser(QStringView text, FieldSlots& fields)
        : tokens_(tokenizeCondition(text)), fields_(fields) {}

    CompiledCondition parse() {
        const Operand root = parseBinary(1);
        if (current().kind != Kind::End)
            fail(QStringLiteral("多余的内容"));
        if (!root.isTruth)
            fail(QStringLiteral("条件不是比较"), 0);
        return CompiledCondition(std::move(nodes_), std::move(constants_), root.node);
    }

private:
    struct Operand {
        int node;
        bool isTruth;
        int position;
    };

    const ConditionToken& current() const { return tokens_[next_]; }

    [[noreturn]] void fail(const QString& what, int position = -1) const {
        throw ConditionSyntaxError(what, position < 0 ? current().position : position);
    }

    int addNode(CompiledCondition::Node node) {
        nodes_.push_back(node);
        return int(nodes_.size()) - 1;
    }

    Operand parseBinary(int minimum) {
        Operand left = parseOperand();
        while (precedence(current().kind) >= minimum) {
            const ConditionToken op = current();
            ++next_;
            const Operand right = parseBinary(precedence(op.kind) + 1);
            left = combine(op, left, right);
        }
        return left;
    }

    Operand combine(const ConditionToken& op, const Operand& left, const Operand& right) {
        const bool wantsTruth = op.kind == Kind::And || op.kind == Kind::Or;
        for (const Operand* operand : {&left, &right}) {
            if (operand->isTruth != wantsTruth)
                fail(wantsTruth ? QStringLiteral("and、or 的两边必须是比较")
                                : QStringLiteral("运算或比较的两边必须是数"),
                     operand->position);
        }
        Op kind = Op::Compare;
        if (op.kind == Kind::And)
            kind = Op::And;
        else if (op.kind == Kind::Or)
            kind = Op::Or;
        else if (op.kind == Kind::Plus)
            kind = Op::Add;
        else if (op.kind == Kind::Times)
            kind = Op::Multiply;
        const int node = addNode({kind, op.comparison, left.node, right.node});
        return {node, op.kind == Kind::Compare || wantsTruth, left.position};
    }

    Operand parseOperand() {
        const ConditionToken t = current();
        switch (t.kind) {
        case Kind::Field:
            ++next_;
            return {addNode({Op::Field, Comparison::Equal, fields_.slotFor(t.field), 0}), false,
                    t.position};
        case Kind::Number:
            ++next_;
            constants_.push_back(t.number);
            return {addNode({Op::Constant, Comparison::Equal, int(constants_.size()) - 1, 0}),
                    false, t.position};
        case Kind::Open: {
            ++next_;
            Operand inner = parseBinary(1);
            if (current().kind != Kind::Close)
                fail(QStringLiteral("缺少右括号"));
            ++next_;
            inner.position = t.position;
            return inner;
        }
        default:
            fail(t.kind == Kind::End ? QStringLiteral("条件不完整")
                                     : QStringLiteral("此处需要字段、数或左括号"));
        }
    }

    std::vector<ConditionToken> tokens_;
    size_t next_ = 0;
    FieldSlots& fields_;
    std::vector<CompiledCondition::Node> nodes_;
    std::vector<RuleValue> constants_;
};

} // namespace

CompiledCondition CompiledCondition::compile(QStringView text, FieldSlots& fields) {
    return ConditionParser(text, fields).parse();
}

} // namespace kestrune::check
