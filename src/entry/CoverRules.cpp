#include "CoverRules.h"

namespace kestrune::entry {

namespace {

constexpr char16_t Backspace = u'\b';

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

bool HasLatinOrDigit(const QString& text) {
    for (const QChar c : text) {
        if (isAsciiDigit(c) || isAsciiLetter(c))
            return true;
    }
    return false;
}

bool HasValidPhoneLength(const QString& phone) {
    const qsizetype length = phone.size();
    if (phone.contains(u'-'))
        return length >= 11 && length <= 13;
    return length == 7 || length == 8 || length == 11 || length == 12;
}

bool TextBoxRefusesCharacter(QChar typed) {
    return typed == u'\'' || typed == u'"' || typed == u'`';
}

bool FillerBoxSwallowsCharacter(QChar typed) {
    return typed == u'.' || isAsciiDigit(typed) || isAsciiLetter(typed);
}

bool PhoneBoxAcceptsCharacter(QChar typed) {
    return isAsciiDigit(typed) || typed == u'-' || typed == Backspace;
}

} // namespace kestrune::entry
