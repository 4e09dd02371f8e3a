// The record editor driven without the entry dialog: a fake page holds the
// boxes' values, the editor's RecordForm the saves that may be pressed.
#include "entry/RecordEditor.h"

#include "entry/RecordPages.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/Startup.h"
#include "shell/SurveyTerms.h"
#include "support/ScriptedInteraction.h"
#include "support/StartedSession.h"

#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::entry;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::StartedSessionTest;

namespace {

// The boxes as a map from column to value; every survey box the map lacks
// holds 0, as a new record's boxes do.
class FakePages : public RecordPages {
public:
    QVariantMap values;
    bool coverValid = true;
    int savesShown = 0;
    bool errorsShown = false;
    bool printEnabled = false;

    void PrepareNewRecord() override { values.clear(); }
    void ReadRecord(const QVariantMap& row) override { values = row; }
    QVariantMap WrittenValues() override { return values; }
    std::optional<double> boxValue(const QString& name) const override {
        return values.value(name.toLower(), 0.0).toDouble();
    }
    void ShowProposedCover(double unitCode, const LastCover& last) override {
        values.insert(shell::kUnitCodeField, unitCode);
        values.insert(shell::kRegionField, last.region);
        values.insert(shell::kFillerField, last.filler);
        values.insert(shell::kPhoneField, last.phone);
    }
    LastCover enteredCover() const override {
        return {values.value(shell::kRegionField).toInt(),
                values.value(shell::kFillerField).toString(),
                values.value(shell::kPhoneField).toString()};
    }
    void RunCoverExits() override {}
    void ApplyLevelRules(int) override {}
    int levelCode() const override { return values.value(shell::kLevelField).toInt(); }
    int stateCode() const override { return values.value(shell::kReportingStateField).toInt(); }
    bool ValidateCover(bool, double) override { return coverValid; }
    void setLoaded(bool loaded) override { loaded_ = loaded; }
    bool loaded() const override { return loaded_; }
    void ShowCoverPage() override {}
    void FocusFirstField() override {}
    void showSaves() override { ++savesShown; }
    void setPrintEnabled(bool enabled) override { printEnabled = enabled; }
    void showModeButtons(bool) override {}
    void showPosition(const QString&, bool, bool) override {}
    void setNavigation(bool, bool) override {}
    void showLogicErrors() override { errorsShown = true; }
    void hideLogicErrors() override { errorsShown = false; }

private:
    bool loaded_ = false;
};

class RecordEditorTest : public StartedSessionTest {
protected:
    void SetUp() override {
        editor = std::make_unique<RecordEditor>(connection(), ui,
                                                shell::ReadFieldCatalogue(connection()));
        editor->attach(pages);
        StoreLastCover({130102, "张三", "0311-86012345"});
    }
    // A new record, its cover filled in as a person would.
    void startNewRecord(int reportingState = 1) {
        editor->setAdding(true);
        editor->FormShow();
        pages.values.insert(shell::kUnitNameField, "长安区总工会");
        pages.values.insert(shell::kLevelField, 4);
        pages.values.insert(shell::kReportingStateField, reportingState);
        editor->form().markModified();
    }
    QList<QVariantList> storedRows() {
        QList<QVariantList> rows;
        db::Dataset data = connection().query(
            "select c901, c902, c903, c905, c907, RecordState from dt_data order by c901");
        for (; !data.eof(); data.next())
            rows << QVariantList{
                data.field("c901").asInteger(),      data.field("c902").asText(),
                int(data.field("c903").asInteger()), data.field("c905").asText(),
                int(data.field("c907").asInteger()), int(data.field("RecordState").asInteger())};
        return rows;
    }

    FakePages pages;
    std::unique_ptr<RecordEditor> editor;
};

TEST_F(RecordEditorTest, AFormalSaveOfANewRecordStoresItAndProposesTheNext) {
    startNewRecord();
    EXPECT_EQ(pages.values.value("c901").toDouble(), 0.0);
    pages.values.insert("c901", 130102000001.0);
    // Every survey box 0 breaks rules: the record is stored with its errors
    // and their list is shown.
    ASSERT_TRUE(editor->tbSaveClick());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 130102, "张三", 1,
                                                  int(shell::RecordState::SavedWithLogicErrors)}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{kSavedWithErrors});
    EXPECT_FALSE(editor->logicErrors().isEmpty());
    EXPECT_TRUE(pages.errorsShown);
    // The form is emptied for the next record, which takes the next code.
    EXPECT_EQ(pages.values.value("c901").toDouble(), 130102000002.0);
    EXPECT_FALSE(pages.values.contains("c902"));
    EXPECT_FALSE(editor->form().holdEnabled());
    EXPECT_FALSE(editor->form().saveEnabled());
    EXPECT_FALSE(editor->form().unsavedChanges(pages.stateCode()));
    EXPECT_FALSE(editor->savedOnce());
    EXPECT_TRUE(pages.loaded());
}

TEST_F(RecordEditorTest, ATemporarySaveKeepsTheFormalSaveOpenAndUpdatesItsOwnRow) {
    startNewRecord();
    pages.values.insert("c901", 130102000001.0);
    ASSERT_TRUE(editor->tbHoldClick());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 130102, "张三", 1,
                                                  int(shell::RecordState::TemporarilySaved)}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{kTemporarilySaved});
    EXPECT_TRUE(editor->savedOnce());
    EXPECT_FALSE(editor->form().holdEnabled());
    EXPECT_TRUE(editor->form().saveEnabled());
    EXPECT_TRUE(pages.printEnabled);
    // Saved again, the record stays one row.
    pages.values.insert("c902", "长安区工会");
    editor->form().markModified();
    ASSERT_TRUE(editor->tbHoldClick());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区工会", 130102, "张三", 1,
                                                  int(shell::RecordState::TemporarilySaved)}}));
}

TEST_F(RecordEditorTest, ACoverThatFailsItsCheckSavesNothing) {
    startNewRecord();
    pages.coverValid = false;
    EXPECT_FALSE(editor->tbHoldClick());
    EXPECT_FALSE(editor->tbSaveClick());
    EXPECT_TRUE(storedRows().isEmpty());
    EXPECT_TRUE(editor->form().unsavedChanges(pages.stateCode()));
}

TEST_F(RecordEditorTest, ClosingWithUnsavedChangesAsksWhetherToSave) {
    startNewRecord();
    pages.values.insert("c901", 130102000001.0);
    ui.confirmAnswers = {false};
    EXPECT_TRUE(editor->FormCloseQuery());
    EXPECT_EQ(ui.confirmations, QStringList{kSaveChangesQuestion});
    EXPECT_TRUE(storedRows().isEmpty());

    // Yes: the pages are checked; with logic errors the save is temporary.
    ui.confirmAnswers = {true};
    EXPECT_TRUE(editor->FormCloseQuery());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 130102, "张三", 1,
                                                  int(shell::RecordState::TemporarilySaved)}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{kTemporarilySaved});
    EXPECT_FALSE(pages.errorsShown);
}

TEST_F(RecordEditorTest, ClosingWithNothingChangedAsksNothing) {
    editor->setAdding(true);
    editor->FormShow();
    EXPECT_TRUE(editor->FormCloseQuery());
    EXPECT_TRUE(ui.confirmations.isEmpty());
}

TEST(RecordFormTest, AUnionThatDoesNotAnswerHasOnlyTheFormalSave) {
    RecordForm form({});
    form.markModified();
    EXPECT_TRUE(form.applyReportingState(2));
    EXPECT_TRUE(form.holdEnabled());
    EXPECT_TRUE(form.checkEnabled());
    EXPECT_FALSE(form.applyReportingState(3));
    EXPECT_FALSE(form.holdEnabled());
    EXPECT_FALSE(form.checkEnabled());
    EXPECT_TRUE(form.saveEnabled());
    // Its changes are still worth the question; an answering union's need
    // the temporary save on as well.
    EXPECT_TRUE(form.unsavedChanges(3));
    EXPECT_FALSE(form.unsavedChanges(1));
    form.setSaves(false, false);
    EXPECT_FALSE(form.modified());
    EXPECT_FALSE(form.unsavedChanges(3));
}

TEST(RecordFormTest, ATakenUnitCodeRefusesBothSavesAndShowsTheCover) {
    RecordForm form({});
    form.markModified();
    EXPECT_FALSE(form.coverCheckFailed({CoverRule::FillerMissing, "", "c905"}));
    EXPECT_TRUE(form.holdEnabled());
    EXPECT_TRUE(form.coverCheckFailed({CoverRule::UnitCodeTaken, "", "c901"}));
    EXPECT_FALSE(form.holdEnabled());
    EXPECT_FALSE(form.saveEnabled());
}

TEST(RecordFormTest, LevelRulesOpenAndShutOnlyTheBoxesTheyGovern) {
    shell::TFieldData always;
    always.FieldName = "z001";
    shell::TFieldData some;
    some.FieldName = "z002";
    some.Rule = "in [2,3]";
    RecordForm form({always, some});
    const auto boxes = form.levelBoxes(4, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].field, "z002");
    EXPECT_FALSE(boxes[0].open);
    EXPECT_TRUE(form.levelBoxes(3, 0)[0].open);
    // A union that does not answer keeps its boxes as the state left them.
    EXPECT_TRUE(form.levelBoxes(3, 4).empty());
}

} // namespace
