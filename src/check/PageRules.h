#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>
#include <vector>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::check {

class RuleExplainer;

// A page rule's expression with a parameter in place of each field name and
// the boxes' values, exact, to bind to them: letters gather into a name, a
// separator (blank ( ) * + - / < = >) ends it; other characters join a
// pending name. AND, OR and NOT stay.
struct SubstitutedExpression {
    QString text;
    QVariantList values;      // one for each "?" in text
    QStringList unknownNames; // names without a box; replaced by nothing
};
using BoxValue = std::function<std::optional<double>(const QString& name)>;
SubstitutedExpression SubstituteValues(const QString& expression, const BoxValue& valueOf);

// One row of the logic error list.
struct LogicMessage {
    QString rule;
    QString explanation; // translated
    QString focus;
    int page = 0;
};

// The messages the page rules gave for the record on the entry dialog.
class LogicErrorList {
public:
    bool isEmpty() const { return messages_.empty(); }
    void clear() { messages_.clear(); }
    void add(LogicMessage message) { messages_.push_back(std::move(message)); }
    const std::vector<LogicMessage>& messages() const { return messages_; }

private:
    std::vector<LogicMessage> messages_;
};

inline const QString kUnknownControl = QStringLiteral("Control name parse error : ");

// Evaluates the rules of one page (1-14) on the boxes' values and adds a
// message for every broken rule; true when the list is empty afterwards.
// Pages outside 1-14 change nothing and give false. An expression the engine
// refuses is shown and ends that page's check.
class PageRuleCheck {
public:
    PageRuleCheck(db::Connection& connection, RuleExplainer& explainer, shell::UserInteraction& ui,
                  LogicErrorList& list, BoxValue valueOf);

    bool CheckPage(int page, bool clearFirst);
    // Page 1 after clearing the list, then pages 2 to 14.
    bool CheckAllPages();

private:
    bool broken(const QString& expression);

    db::Connection& connection_;
    RuleExplainer& explainer_;
    shell::UserInteraction& ui_;
    LogicErrorList& list_;
    BoxValue valueOf_;
};

} // namespace kestrune::check
