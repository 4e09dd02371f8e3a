#include "RuleExplainer.h"

#include "schema/EngineError.h"
#include "shell/UserInteraction.h"

namespace kestrune::check {

namespace {

enum class State { Text, Name, Bracket };

// Letters here include the opening bracket, which starts a bracketed mark.
bool isLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'[';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
// Inside a bracket these end the mark and are kept; "]" ends it and is dropped.
bool endsBracketAndIsKept(QChar c) {
    return c == u' ' || c == u'(' || c == u')' || c == u'*' || c == u'+' || c == u'-' || c == u'/';
}

} // namespace

RuleExplainer::RuleExplainer(db::Connection& connection, shell::UserInteraction& ui)
    : captions_(connection), ui_(ui) {}

QString RuleExplainer::ExplainRule(QStringView explanation) {
    QString out;
    QString token;
    State state = State::Text;
    const auto flushToken = [&] {
        out += TranslateToken(token);
        token.clear();
    };
    for (const QChar c : explanation) {
        if (isLetter(c)) {
            if (c != u'[') {
                token += c;
                state = State::Name;
            } else {
                if (state == State::Name)
                    flushToken();
                state = State::Bracket;
            }
        } else if (isDigit(c)) {
            if (state == State::Text)
                out += c;
            else
                token += c;
        } else if (state == State::Name) {
            flushToken();
            if (c != u']')
                out += c;
            state = State::Text;
        } else if (state == State::Bracket) {
            if (endsBracketAndIsKept(c)) {
                flushToken();
                out += c;
                state = State::Text;
            } else if (c == u']') {
                flushToken();
                state = State::Text;
            } else {
                token += c;
            }
        } else {
            out += c;
        }
    }
    if (state != State::Text && !token.isEmpty())
        out += TranslateToken(token);
    return out;
}

QString RuleExplainer::TranslateToken(QStringView token) {
    if (token.startsWith(u'['))
        token = token.mid(1);
    if (token.endsWith(u']'))
        token.chop(1);
    if (token == u"<=")
        return QStringLiteral("不能大于");
    if (token == u">=")
        return QStringLiteral("不能小于");
    if (token == u"=")
        return QStringLiteral("必须等于");
    if (token == u">")
        return QStringLiteral("必须大于");
    if (token == u"<")
        return QStringLiteral("必须小于");
    const QString name = token.toString();
    try {
        if (const auto caption = captions_.caption(name))
            return QLatin1Char('[') + *caption + QLatin1Char(']');
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(e.text(), QStringLiteral(",当前的Key为") + name);
    }
    return name;
}

} // namespace kestrune::check
