// The record editor driven without the entry dialog: fake pages show
// nothing, and what a person types goes straight to the editor's RecordForm,
// which holds the values and the saves that may be pressed.
#include "entry/RecordEditor.h"

#include "entry/RecordPages.h"
#include "entry/RecordStore.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"
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

class FakePages : public RecordPages {
public:
    bool coverValid = true;
    int savesShown = 0;
    bool errorsShown = false;
    bool printEnabled = false;

    void showValues() override {}
    void showProposedCover() override {}
    void RunCoverExits() override {}
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
        type(shell::kUnitNameField, "长安区总工会");
        type(shell::kLevelField, 4);
        type(shell::kReportingStateField, reportingState);
    }
    // What a person types into a box reaches the form.
    void type(const QString& field, const QVariant& value) { editor->form().edit(field, value); }
    QVariant value(const QString& field) { return editor->form().values().value(field); }
    int reportingState() { return editor->form().reportingState(); }
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
    EXPECT_EQ(value("c901").toDouble(), 0.0);
    type("c901", 130102000001.0);
    // Every survey box 0 breaks rules: the record is stored with its errors
    // and their list is shown.
    ASSERT_TRUE(editor->tbSaveClick());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 130102, "张三", 1,
                                                  int(shell::RecordState::SavedWithLogicErrors)}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{kSavedWithErrors});
    EXPECT_FALSE(editor->logicErrors().isEmpty());
    EXPECT_TRUE(pages.errorsShown);
    // The form is emptied for the next record, which takes the next code.
    EXPECT_EQ(value("c901").toDouble(), 130102000002.0);
    EXPECT_EQ(value("c902"), QString());
    EXPECT_FALSE(editor->form().holdEnabled());
    EXPECT_FALSE(editor->form().saveEnabled());
    EXPECT_FALSE(editor->form().unsavedChanges(reportingState()));
    EXPECT_FALSE(editor->savedOnce());
    EXPECT_TRUE(pages.loaded());
}

TEST_F(RecordEditorTest, ATemporarySaveKeepsTheFormalSaveOpenAndUpdatesItsOwnRow) {
    startNewRecord();
    type("c901", 130102000001.0);
    ASSERT_TRUE(editor->tbHoldClick());
    EXPECT_EQ(storedRows(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 130102, "张三", 1,
                                                  int(shell::RecordState::TemporarilySaved)}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{kTemporarilySaved});
    EXPECT_TRUE(editor->savedOnce());
    EXPECT_FALSE(editor->form().holdEnabled());
    EXPECT_TRUE(editor->form().saveEnabled());
    EXPECT_TRUE(pages.printEnabled);
    // Saved again, the record stays one row.
    type("c902", "长安区工会");
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
    EXPECT_TRUE(editor->form().unsavedChanges(reportingState()));
}

TEST_F(RecordEditorTest, ClosingWithUnsavedChangesAsksWhetherToSave) {
    startNewRecord();
    type("c901", 130102000001.0);
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

TEST_F(RecordEditorTest, AnEditedRecordIsStoredExactlyAsReadSaveWhatChangedAndWhatItsLevelShut) {
    // A provincial union (level 2): the fields kept for county-level and
    // lower unions (z009-z011) are shut to it.
    connection().execute(
        "insert into dt_data (c901, c902, c903, c904, c905, c906, c907, z001, z005, z009, "
        "b012, b014, d012, RecordState) values (?, '甲', 130102, 2, '张三', '0311-86012345', 1, "
        "10, 12, 7, 1724050.34, 3806.86, 3.5, 1)",
        {130102000001.0});
    const QVariantMap before = ReadStoredRecord(connection(), 130102000001.0);
    shell::RecordList list(connection());
    list.setColumns(shell::VisibleColumns(editor->form().catalogue()));
    list.open();
    editor->setAdding(false);
    editor->SetRecordList(&list);
    editor->FormShow();
    EXPECT_FALSE(editor->form().boxOpen("z009"));
    EXPECT_TRUE(editor->form().boxOpen("b014"));

    type("z001", 25.0);
    type("b014", 2.75);
    ASSERT_TRUE(editor->tbSaveClick());
    QVariantMap expected = before;
    expected["z001"] = 25.0;
    expected["b014"] = 2.75;
    expected["z009"] = 0.0; // emptied by the level rule; z010 held nothing and still does
    expected["RecordState"] = int(shell::RecordState::SavedWithLogicErrors);
    EXPECT_EQ(ReadStoredRecord(connection(), 130102000001.0), expected);
    EXPECT_TRUE(before.value("z010").isNull());
    EXPECT_EQ(ui.messageTexts(), QStringList{kSavedWithErrors});
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
