#pragma once

#include "CheckReport.h"
#include "CheckRunState.h"
#include "RecordValues.h"
#include "RuleExplainer.h"
#include "RuleSet.h"

#include <optional>
#include <vector>

namespace kestrune::check {

// Applies every rule to one record and hands each failure to the report.
// An explanation is translated at its rule's first failure in the run and
// kept, since the catalogue does not change while a run goes.
class RecordChecker {
public:
    RecordChecker(const RuleSet& rules, RuleExplainer& explainer, CheckRunState& state,
                  CheckReport& report);

    // Sets the record-clean flag, evaluates all rules in order and appends each
    // failed rule to the report (expression, translated explanation). True
    // when no rule failed.
    bool CheckRecord(const RecordValues& record);

private:
    const QString& explanation(size_t index);

    const RuleSet& rules_;
    RuleExplainer& explainer_;
    CheckRunState& state_;
    CheckReport& report_;
    std::vector<std::optional<QString>> explanations_;
};

} // namespace kestrune::check
