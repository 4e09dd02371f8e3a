#include "RecordForm.h"

#include "EntryLayout.h"
#include "LevelRule.h"
#include "shell/SurveyTerms.h"

namespace kestrune::entry {

RecordForm::RecordForm(shell::TFieldDataArray catalogue)
    : catalogue_(std::move(catalogue)), values_(catalogue_) {
    const QStringList survey = surveyBoxes();
    surveyFields_ = QSet<QString>(survey.begin(), survey.end());
}

void RecordForm::read(const QVariantMap& row) {
    values_.read(row);
    recordReplaced();
}

void RecordForm::prepareNew() {
    values_.prepareNew();
    recordReplaced();
}

void RecordForm::proposeCover(double unitCode, const LastCover& last) {
    values_.set(shell::kUnitCodeField, unitCode);
    values_.set(shell::kRegionField, last.region);
    values_.set(shell::kLevelField, 0);
    values_.set(shell::kReportingStateField, 0);
    values_.set(shell::kFillerField, last.filler);
    values_.set(shell::kPhoneField, last.phone);
    holdCode(HeldCode::Region, last.region);
    holdCode(HeldCode::Level, 0);
    holdCode(HeldCode::ReportingState, 0);
}

LastCover RecordForm::enteredCover() const {
    return {int(values_.whole(shell::kRegionField)), values_.text(shell::kFillerField),
            values_.text(shell::kPhoneField)};
}

void RecordForm::edit(const QString& field, const QVariant& value) {
    values_.set(field, value);
    markModified();
}

int RecordForm::levelCode() const {
    return int(values_.whole(shell::kLevelField));
}

int RecordForm::reportingState() const {
    return int(values_.whole(shell::kReportingStateField));
}

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
    values_.set(shell::kReportingStateField, state);
    const bool answering = shell::IsAnsweringUnit(state);
    checkEnabled_ = answering;
    holdEnabled_ = answering;
    for (const QString& field : surveyFields_) {
        if (answering) {
            shut_.remove(field);
        } else {
            shut_.insert(field);
            values_.set(field, 0.0);
        }
    }
    return answering;
}

void RecordForm::applyLevelRules(int level) {
    values_.set(shell::kLevelField, level);
    for (const LevelBox& box : levelBoxes(level, reportingState())) {
        if (box.open) {
            shut_.remove(box.field);
        } else {
            shut_.insert(box.field);
            values_.shut(box.field);
        }
    }
}

bool RecordForm::boxOpen(const QString& field) const {
    return !shut_.contains(field);
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
