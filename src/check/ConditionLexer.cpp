#include "ConditionLexer.h"

#include "ConditionSyntaxError.h"

namespace kestrune::check {

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A field name is one letter and three digits, as dt_data names its columns.
bool isFieldName(const QString& word) {
    return word.size() == 4 && isAsciiLetter(word[0]) && isAsciiDigit(word[1]) &&
           isAsciiDigit(word[2]) && isAsciiDigit(word[3]);
}

ConditionToken token(ConditionToken::Kind kind, int position) {
    return {kind, position, {}, {}, Comparison::Equal};
}

ConditionToken comparisonToken(Comparison comparison, int position) {
    ConditionToken t = token(ConditionToken::Kind::Compare, position);
    t.comparison = comparison;
    return t;
}

ConditionToken wordToken(const QString& word, int position) {
    const QString lower = word.toLower();
    if (lower == QLatin1String("and"))
        return token(ConditionToken::Kind::And, position);
    if (lower == QLatin1String("or"))
        return token(ConditionToken::Kind::Or, position);
    if (!isFieldName(word))
        throw ConditionSyntaxError(QStringLiteral("无法识别的名称“%1”").arg(word), position);
    ConditionToken t = token(ConditionToken::Kind::Field, position);
    t.field = lower;
    return t;
}

ConditionToken numberToken(const QString& digits, int position) {
    ConditionToken t = token(ConditionToken::Kind::Number, position);
    bool ok = false;
    if (digits.contains(u'.')) {
        t.number = RuleValue::ofReal(digits.toDouble(&ok));
    } else {
        t.number = RuleValue::ofWhole(digits.toLongLong(&ok));
    }
    if (!ok)
        throw ConditionSyntaxError(QStringLiteral("无法识别的数“%1”").arg(digits), position);
    return t;
}

} // namespace

std::vector<ConditionToken> tokenizeCondition(QStringView text) {
    std::vector<ConditionToken> tokens;
    const int size = int(text.size());
    int i = 0;
    while (i < size) {
        const QChar c = text[i];
        const int start = i;
        if (c == u' ' || c == u'\t') {
            ++i;
        } else if (isAsciiLetter(c)) {
            while (i < size && (isAsciiLetter(text[i]) || isAsciiDigit(text[i])))
                ++i;
            tokens.push_back(wordToken(text.mid(start, i - start).toString(), start));
        } else if (isAsciiDigit(c)) {
            while (i < size && (isAsciiDigit(text[i]) || text[i] == u'.'))
                ++i;
            tokens.push_back(numberToken(text.mid(start, i - start).toString(), start));
        } else if (c == u'<') {
            ++i;
            if (i < size && text[i] == u'=') {
                ++i;
                tokens.push_back(comparisonToken(Comparison::LessOrEqual, start));
            } else if (i < size && text[i] == u'>') {
                ++i;
                tokens.push_back(comparisonToken(Comparison::NotEqual, start));
            } else {
                tokens.push_back(comparisonToken(Comparison::Less, start));
            }
        } else if (c == u'>') {
            ++i;
            if (i < size && text[i] == u'=') {
                ++i;
                tokens.push_back(comparisonToken(Comparison::GreaterOrEqual, start));
            } else {
                tokens.push_back(comparisonToken(Comparison::Greater, start));
            }
        } else if (c == u'=') {
            ++i;
            tokens.push_back(comparisonToken(Comparison::Equal, start));
        } else if (c == u'+' || c == u'*' || c == u'(' || c == u')') {
            ++i;
            tokens.push_back(token(c == u'+'   ? ConditionToken::Kind::Plus
                                   : c == u'*' ? ConditionToken::Kind::Times
                                   : c == u'(' ? ConditionToken::Kind::Open
                                               : ConditionToken::Kind::Close,
                                   start));
        } else {
            throw ConditionSyntaxError(QStringLiteral("无法识别的字符“%1”").arg(c), start);
        }
    }
    tokens.push_back(token(ConditionToken::Kind::End, size));
    return tokens;
}

} // namespace kestrune::check
