#include "LevelRule.h"

#include <QRegularExpression>

namespace kestrune::entry {

LevelRule ParseLevelRule(const QString& text) {
    LevelRule rule;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return rule;
    if (trimmed.contains(QLatin1String("in"))) {
        rule.kind = LevelRule::Kind::InList;
        const qsizetype open = trimmed.indexOf(QLatin1Char('['));
        const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
        if (open < 0 || close <= open)
            return rule;
        static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
        const QStringList items =
            trimmed.mid(open + 1, close - open - 1).trimmed().split(separators, Qt::SkipEmptyParts);
        for (const QString& item : items) {
            bool ok = false;
            const int code = item.toInt(&ok);
            if (ok && code >= 0 && code <= 255)
                rule.codes.insert(code);
            else
                ++rule.ignoredItems;
        }
        return rule;
    }
    qsizetype n = 0;
    while (n < trimmed.size() && QStringLiteral("<=>").contains(trimmed[n]))
        ++n;
    rule.op = trimmed.left(n);
    bool ok = false;
    rule.value = trimmed.mid(n).trimmed().toInt(&ok);
    static const QStringList operators = {QStringLiteral(">"),  QStringLiteral("="),
                                          QStringLiteral("<"),  QStringLiteral(">="),
                                          QStringLiteral("<="), QStringLiteral("<>")};
    rule.kind =
        ok && operators.contains(rule.op) ? LevelRule::Kind::Compare : LevelRule::Kind::Invalid;
    return rule;
}

bool LevelRuleHolds(int level, const LevelRule& rule) {
    switch (rule.kind) {
    case LevelRule::Kind::Always:
        return true;
    case LevelRule::Kind::InList:
        return level >= 0 && level <= 255 && rule.codes.count(level) > 0;
    case LevelRule::Kind::Compare:
        if (rule.op == QLatin1String(">"))
            return level > rule.value;
        if (rule.op == QLatin1String("="))
            return level == rule.value;
        if (rule.op == QLatin1String("<"))
            return level < rule.value;
        if (rule.op == QLatin1String(">="))
            return level >= rule.value;
        if (rule.op == QLatin1String("<="))
            return level <= rule.value;
        return level != rule.value;
    case LevelRule::Kind::Invalid:
        return false;
    }
    return false;
}

bool LevelRuleHolds(int level, const QString& rule) {
    return LevelRuleHolds(level, ParseLevelRule(rule));
}

} // namespace kestrune::entry
