#include "PageRules.h"

#include "RuleExplainer.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "shell/UserInteraction.h"

namespace kestrune::check {

namespace {

bool isSeparator(QChar c) {
    return QStringLiteral(" ()*+-/<=>").contains(c);
}

bool isLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isKeyword(const QString& name) {
    return name.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("OR"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("NOT"), Qt::CaseInsensitive) == 0;
}

} // namespace

SubstitutedExpression SubstituteValues(const QString& expression, const BoxValue& valueOf) {
    SubstitutedExpression result;
    QString name;
    auto flush = [&] {
        if (name.isEmpty())
            return;
        if (isKeyword(name)) {
            result.text += name;
        } else if (const auto value = valueOf(name)) {
            result.text += QLatin1Char('?');
            result.values << *value;
        } else {
            result.unknownNames << name;
        }
        name.clear();
    };
    for (const QChar c : expression) {
        if (isLetter(c)) {
            name += c;
        } else if (isSeparator(c)) {
            flush();
            result.text += c;
        } else if (!name.isEmpty()) {
            name += c;
        } else {
            result.text += c;
        }
    }
    flush();
    return result;
}

PageRuleCheck::PageRuleCheck(db::Connection& connection, RuleExplainer& explainer,
                             shell::UserInteraction& ui, LogicErrorList& list, BoxValue valueOf)
    : connection_(connection), explainer_(explainer), ui_(ui), list_(list),
      valueOf_(std::move(valueOf)) {}

bool PageRuleCheck::broken(const QString& expression) {
    const SubstitutedExpression substituted = SubstituteValues(expression, valueOf_);
    for (const QString& name : substituted.unknownNames)
        ui_.showMessage(kUnknownControl + name, shell::MessageKind::Error);
    // The engine's true: Jet gives -1, SQLite 1; any non-zero result is a broken rule.
    const QVariant rt =
        connection_.scalar(QStringLiteral("select ") + substituted.text + QStringLiteral(" as rt"),
                           substituted.values);
    return rt.toLongLong() != 0;
}

bool PageRuleCheck::CheckPage(int page, bool clearFirst) {
    if (page < 1 || page > 14)
        return false;
    if (clearFirst)
        list_.clear();
    db::Dataset rules =
        connection_.query(QStringLiteral("select * from dt_logic where page_id=?"), {page});
    for (; !rules.eof(); rules.next()) {
        const QString expression = rules.field(QStringLiteral("expression")).asText();
        try {
            if (!broken(expression))
                continue;
        } catch (const db::EngineError&) {
            ui_.showMessage(expression, shell::MessageKind::Error);
            break;
        }
        list_.add({rules.field(QStringLiteral("rule")).asText(),
                   explainer_.ExplainRule(rules.field(QStringLiteral("explain")).asText()),
                   rules.field(QStringLiteral("focus")).asText(), page});
    }
    return list_.isEmpty();
}

bool PageRuleCheck::CheckAllPages() {
    CheckPage(1, true);
    for (int page = 2; page <= 14; ++page)
        CheckPage(page, false);
    return list_.isEmpty();
}

} // namespace kestrune::check
