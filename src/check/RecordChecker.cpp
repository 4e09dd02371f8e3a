#include "RecordChecker.h"

namespace kestrune::check {

RecordChecker::RecordChecker(const RuleSet& rules, RuleExplainer& explainer, CheckRunState& state,
                             CheckReport& report)
    : rules_(rules), explainer_(explainer), state_(state), report_(report),
      explanations_(rules.rules().size()) {}

bool RecordChecker::CheckRecord(const RecordValues& record) {
    state_.recordClean = true;
    const auto rules = rules_.rules();
    for (size_t i = 0; i < rules.size(); ++i) {
        if (!rules_.passes(i, record))
            report_.AppendRuleFailure(rules[i].expression, explanation(i));
    }
    return state_.recordClean;
}

const QString& RecordChecker::explanation(size_t index) {
    std::optional<QString>& text = explanations_[index];
    if (!text)
        text = explainer_.ExplainRule(rules_.rules()[index].explanation);
    return *text;
}

} // namespace kestrune::check
