#pragma once

#include "CoverValidation.h"
#include "LastCover.h"
#include "RecordValues.h"
#include "shell/RecordColumns.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::entry {

// The codes the cover holds beside their names.
enum class HeldCode { Region, Level, ReportingState };

// What the entry form knows of the open record: its values by field, which
// saves may be pressed (and so whether there are unsaved changes), the codes
// held for the region, level and reporting state, and the rules that open,
// shut and empty boxes by level and reporting state. The dialog shows this
// state and forwards what the person does to it.
class RecordForm {
public:
    explicit RecordForm(shell::TFieldDataArray catalogue);

    const shell::TFieldDataArray& catalogue() const { return catalogue_; }

    RecordValues& values() { return values_; }
    const RecordValues& values() const { return values_; }
    // A stored row, or a new record's values, replaces the record.
    void read(const QVariantMap& row);
    void prepareNew();
    // A new record's cover: the next unit code and the last cover's region,
    // filler and phone; no level or reporting state yet.
    void proposeCover(double unitCode, const LastCover& last);
    LastCover enteredCover() const;
    // A person changed a field: the record is modified.
    void edit(const QString& field, const QVariant& value);
    int levelCode() const;
    int reportingState() const;

    // The temporary save ("临时保存", Ctrl+S), the formal save and the logic
    // check that may be pressed.
    bool holdEnabled() const { return holdEnabled_; }
    bool saveEnabled() const { return saveEnabled_; }
    bool checkEnabled() const { return checkEnabled_; }
    // Both off: the record is as read or as just saved.
    void setSaves(bool hold, bool save);
    // A person changed a box or chose a code: both saves may be pressed.
    void markModified();
    bool modified() const { return modified_; }
    // The boxes hold a record just read or a new one.
    void recordReplaced() { modified_ = false; }
    // Worth the question before the record is left: both saves on, or the
    // formal save on for a union that does not answer (it has no temporary
    // save). The state is the one the cover shows now.
    bool unsavedChanges(int reportingState) const;

    int heldCode(HeldCode which) const;
    void holdCode(HeldCode which, int code);

    // A reporting state chosen or read: a union that does not answer has
    // neither temporary save nor logic check, and its survey boxes are shut
    // and 0. Returns whether it answers.
    bool applyReportingState(int state);
    // A level chosen or read: the boxes its rules shut are emptied (see
    // levelBoxes).
    void applyLevelRules(int level);
    // Whether a box is open to the person after the rules applied so far.
    bool boxOpen(const QString& field) const;

    // The boxes a level rule governs: whether each is open at this level.
    struct LevelBox {
        QString field;
        bool open = true;
    };
    // Nothing while the union does not answer: its survey boxes stay shut.
    std::vector<LevelBox> levelBoxes(int level, int reportingState) const;
    // The survey pages' boxes, which a union that does not answer leaves shut
    // and 0.
    QStringList surveyBoxes() const;

    // What follows a cover that failed its check: a unit code that another
    // record has refuses both saves until the person changes something, and
    // shows the cover. Returns whether the cover is to be shown.
    bool coverCheckFailed(const CoverFailure& failure);

private:
    shell::TFieldDataArray catalogue_;
    RecordValues values_;
    QSet<QString> surveyFields_;
    // The boxes the last rules applied shut: each rule opens or shuts only
    // the boxes it governs.
    QSet<QString> shut_;
    bool holdEnabled_ = false;
    bool saveEnabled_ = false;
    bool checkEnabled_ = true;
    bool modified_ = false;
    int heldRegion_ = 0;
    int heldLevel_ = 0;
    int heldState_ = 0;
};

} // namespace kestrune::entry
