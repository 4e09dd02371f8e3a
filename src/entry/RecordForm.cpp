#include "RecordForm.h"

#include "EntryLayout.h"
#include "LevelRule.h"
#include "shell/SurveyTerms.h"

namespace kestrune::entry {

RecordForm::RecordForm(shell::TFieldDataArray catalogue) : catalogue_(std::move(catalogue)) {}

void RecordForm::setSaves(bool hold, bool save) {
    holdEnabled_ = hold;
    saveEnabled_ = save;
    if (!hold && !save)
        modified_ = false;
}

void RecordForm::markModified() {
    modified_ = true;
    holdEnabled_ = true;
    saveEnabled_ = true;
}

bool RecordForm::unsavedChanges(int reportingState) const {
    return saveEnabled_ && (holdEnabled_ || !shell::IsAnsweringUnit(reportingState));
}

int RecordForm::heldCode(HeldCode which) const {
    switch (which) {
    case HeldCode::Region:
        return heldRegion_;
    case HeldCode::Level:
        return heldLevel_;
    case HeldCode::ReportingState:
        return heldState_;
    }
    return 0;
}

void RecordForm::holdCode(HeldCode which, int code) {
    switch (which) {
    case HeldCode::Region:
        heldRegion_ = code;
        break;
    case HeldCode::Level:
        heldLevel_ = code;
        break;
    case HeldCode::ReportingState:
        heldState_ = code;
        break;
    }
}

bool RecordForm::applyReportingState(int state) {
    const bool answering = shell::IsAnsweringUnit(state);
    checkEnabled_ = answering;
    holdEnabled_ = answering;
    return answering;
}

std::vector<RecordForm::LevelBox> RecordForm::levelBoxes(int level, int reportingState) const {
    std::vector<LevelBox> boxes;
    if (!shell::IsAnsweringUnit(reportingState))
        return boxes;
    for (const shell::TFieldData& f : catalogue_) {
        if (ParseLevelRule(f.Rule).kind == LevelRule::Kind::Always)
            continue;
        boxes.push_back({f.FieldName, LevelRuleHolds(level, f.Rule)});
    }
    return boxes;
}

QStringList RecordForm::surveyBoxes() const {
    QStringList fields;
    for (int p = 1; p < int(EntryPages().size()); ++p)
        fields << EntryPages()[size_t(p)].fields();
    return fields;
}

bool RecordForm::coverCheckFailed(const CoverFailure& failure) {
    if (failure.rule != CoverRule::UnitCodeTaken)
        return false;
    holdEnabled_ = false;
    saveEnabled_ = false;
    return true;
}

} // namespace kestrune::entry
