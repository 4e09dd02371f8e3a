#pragma once

#include "RuleValue.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace kestrune::check {

struct ConditionToken {
    enum class Kind { Field, Number, Plus, Times, Compare, And, Or, Open, Close, End };
    Kind kind;
    int position;          // where the token starts in the text
    QString field;         // Field: the name in lower case
    RuleValue number;      // Number
    Comparison comparison; // Compare
};

// Splits a condition text into tokens. Blanks separate nothing but may stand
// anywhere; ")or" is two tokens. The last token is always End.
std::vector<ConditionToken> tokenizeCondition(QStringView text);

} // namespace kestrune::check
