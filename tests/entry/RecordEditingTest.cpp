#include "check/ui/MessageListWinForm.h"
#include "entry/EntryDialogFixture.h"
#include "entry/LastCover.h"
#include "entry/RecordEditor.h"
#include "entry/ui/NumberEdit.h"
#include "entry/ui/SurveyDataForm.h"
#include "schema/Connection.h"
#include "schema/Statement.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"
#include "shell/WindowPlacement.h"
#include "shell/ui/ToolForm.h"
#include "support/QtPrinters.h"
#include "support/Typing.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::entry;

namespace {

using kestrune::testing::kFirstCode;

class RecordEditingTest : public kestrune::testing::EntryDialogFixture {};

TEST_F(RecordEditingTest, ANewRecordIsProposedWithTheLastCoverAndTheNextCode) {
    StoreLastCover({130102, "李四", "0311-1234567"});
    storeRecord(kFirstCode, "甲");
    open(true);
    EXPECT_EQ(number("c901")->integerValue(), 130102000002);
    EXPECT_EQ(text("CityNameCtrl")->text(), "河北省石家庄市长安区");
    EXPECT_EQ(text("c905")->text(), "李四");
    EXPECT_EQ(text("c906")->text(), "0311-1234567");
    EXPECT_EQ(text("c902")->text(), "");
    EXPECT_EQ(number("c904")->integerValue(), 0);
    EXPECT_EQ(text("StateName")->text(), "");
    EXPECT_TRUE(form->button("tbAdd")->isVisibleTo(form.get()));
    EXPECT_FALSE(form->button("tbSave")->isVisibleTo(form.get()));
    EXPECT_FALSE(form->navBar()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->itemNo()->isVisibleTo(form.get()));
    EXPECT_FALSE(form->button("tbHold")->isEnabled());
    EXPECT_FALSE(form->printWanted());
    EXPECT_EQ(form->DataPage()->currentIndex(), 0);
    EXPECT_TRUE(form->loaded());
}

TEST_F(RecordEditingTest, AnEmptyDatabaseProposesCodeZero) {
    open(true);
    EXPECT_EQ(number("c901")->integerValue(), 0);
    EXPECT_EQ(text("c905")->text(), "");
    EXPECT_EQ(text("CityNameCtrl")->text(), "");
}

TEST_F(RecordEditingTest, ATemporaryThenAFormalSaveMakeOneRow) {
    open(true);
    fillCover("130102000001", "长安区总工会");
    EXPECT_TRUE(form->button("tbHold")->isEnabled());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "长安区总工会", 0}}));
    EXPECT_TRUE(editor().savedOnce());
    EXPECT_FALSE(form->button("tbHold")->isEnabled());
    EXPECT_TRUE(form->printWanted());

    type("c902", "长安区工会");
    form->button("tbAdd")->click();
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "长安区工会", 1}}));
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{"数据已经被临时保存。", "数据保存成功，没有逻辑错误！"}));
    // Ready for the next new record, with the cover just saved proposed.
    EXPECT_EQ(number("c901")->integerValue(), 130102000002);
    EXPECT_EQ(text("c902")->text(), "");
    EXPECT_EQ(text("c905")->text(), "张三");
    const LastCover last = ReadLastCover();
    EXPECT_EQ(last.region, 130102);
    EXPECT_EQ(last.filler, "张三");
    EXPECT_EQ(last.phone, "0311-86012345");
}

TEST_F(RecordEditingTest, TwoFormalSavesWhileAddingMakeTwoRowsWithConsecutiveCodes) {
    open(true);
    fillCover("130102000001", "甲");
    breakPageRule();
    form->button("tbAdd")->click();
    type("c902", "乙");
    setCode("c904", 4);
    setCode("c907", 1);
    number("z001")->setValue(10);
    form->button("tbAdd")->click();
    EXPECT_EQ(codesAndStates(),
              (QList<QVariantList>{{130102000001LL, "甲", 2}, {130102000002LL, "乙", 1}}));
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{"数据保存成功，有逻辑错误！", "数据保存成功，没有逻辑错误！"}));
    EXPECT_EQ(list->rowCount(), 2); // the list was queried again after each save
}

TEST_F(RecordEditingTest, ClosingWithChangesAndYesWhileRulesAreBrokenSavesTemporarily) {
    storeRecord(kFirstCode, "甲");
    open(false);
    breakPageRule();
    type("c902", "甲改");
    ui.confirmAnswers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ui.confirmations, QStringList{"对数据改动后尚未保存，准备保存这些改动吗？"});
    EXPECT_EQ(ui.confirmationCaptions, QStringList{"提示信息"});
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲改", 0}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据已经被临时保存。"});
    EXPECT_FALSE(form->messageList()->isVisible());
}

TEST_F(RecordEditingTest, ClosingWithChangesAndYesOnACleanRecordSavesFormally) {
    storeRecord(kFirstCode, "甲", 0);
    open(false);
    type("c902", "甲改");
    ui.confirmAnswers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲改", 1}}));
}

TEST_F(RecordEditingTest, ClosingWithYesAndAnInvalidCoverKeepsTheDialog) {
    storeRecord(kFirstCode, "甲");
    open(false);
    type("c902", " ");
    ui.confirmAnswers = {true};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.messageTexts(), QStringList{"必须输入本级工会名称"});
    ui.confirmAnswers = {false}; // No: leaves without saving
    EXPECT_TRUE(form->close());
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲", 1}}));
}

TEST_F(RecordEditingTest, ReturnWithChangesAsksAsClosingDoes) {
    storeRecord(kFirstCode, "甲");
    const auto before = rows();
    open(false);
    type("c902", "甲改");
    ui.confirmAnswers = {false}; // No: leaves without saving
    form->button("tbReturn")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ui.confirmations, QStringList{"对数据改动后尚未保存，准备保存这些改动吗？"});
    EXPECT_EQ(rows(), before);

    open(false);
    type("c902", "甲改");
    ui.confirmAnswers = {true};
    form->button("tbReturn")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲改", 1}}));
}

TEST_F(RecordEditingTest, AUnitThatDoesNotAnswerIsSavedCleanWithoutACheck) {
    storeRecord(kFirstCode, "甲");
    open(false);
    breakPageRule();
    form->button("tbCheck")->click();
    EXPECT_FALSE(editor().logicErrors().isEmpty());
    setCode("c907", 3);
    EXPECT_TRUE(editor().logicErrors().isEmpty()); // cleared with the state
    type("c902", "甲改");
    form->button("tbSave")->click();
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲改", 1}}));
    EXPECT_EQ(ui.messageTexts().last(), "数据保存成功，没有逻辑错误！");
}

TEST_F(RecordEditingTest, ClosingAfterSettingAStateThatDoesNotAnswerStillAsks) {
    storeRecord(kFirstCode, "甲");
    open(false);
    // The state box's own change: the temporary save is off for such a unit.
    number("c907")->selectAll();
    QTest::keyClicks(number("c907"), "3");
    EXPECT_TRUE(form->c907Exit(true));
    EXPECT_FALSE(form->button("tbHold")->isEnabled());
    ui.confirmAnswers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ui.confirmations.size(), 1);
    QVariantList stored;
    connection().forEachRow("select c907, z001, RecordState from dt_data", {},
                            [&](const db::Statement& row) {
                                for (int c = 0; c < 3; ++c)
                                    stored << row.value(c).toInt();
                            });
    EXPECT_EQ(stored, (QVariantList{3, 0, 1}));
}

TEST_F(RecordEditingTest, LeavingTheCoverValidatesItAndChecksNoPage) {
    open(true);
    breakPageRule();
    EXPECT_FALSE(form->turnToPage(1));
    EXPECT_EQ(form->DataPage()->currentIndex(), 0);
    EXPECT_EQ(ui.messageTexts(), QStringList{"必须输入工会统计编码"});
    fillCover("130102000001", "甲");
    breakPageRule();
    EXPECT_TRUE(form->turnToPage(1));
    EXPECT_EQ(form->DataPage()->currentIndex(), 1);
    EXPECT_TRUE(editor().logicErrors().isEmpty());
    // Between survey pages both pages are checked; the change is allowed.
    EXPECT_TRUE(form->turnToPage(2));
    ASSERT_EQ(editor().logicErrors().messages().size(), 1u);
    EXPECT_EQ(editor().logicErrors().messages()[0].focus, "z002");
    EXPECT_TRUE(form->messageList()->isVisible());
    EXPECT_EQ(form->messageList()->grid()->rowCount(), 1);
}

TEST_F(RecordEditingTest, ADoubleClickInTheErrorListLeadsToThePageAndTheBox) {
    storeRecord(kFirstCode, "甲");
    open(false);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    breakPageRule();
    form->button("tbCheck")->click();
    EXPECT_EQ(form->DataPage()->currentIndex(), 0);
    ASSERT_TRUE(form->messageList()->isVisible());
    form->messageList()->goToRow(0);
    EXPECT_EQ(form->DataPage()->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), form->box("z002"));
    EXPECT_EQ(editor().logicErrors().messages().size(), 1u); // the page was checked again
}

TEST_F(RecordEditingTest, TheCheckButtonSaysWhenThereIsNoError) {
    storeRecord(kFirstCode, "甲");
    open(false);
    form->button("tbCheck")->click();
    EXPECT_EQ(ui.messageTexts(), QStringList{"没有逻辑错误"});
    EXPECT_FALSE(form->messageList()->isVisible());
}

// Amounts in 万元 are decimal fields: a stored fraction survives reading and
// saving, and a typed one is taken as typed.
TEST_F(RecordEditingTest, AmountsInTenThousandYuanKeepTheirDecimals) {
    storeRecord(kFirstCode, "甲");
    // A county union fills 表7 and 表9, where the two amounts stand.
    connection().execute("update dt_data set c904 = 3, s021 = 1724050.34");
    open(false);
    EXPECT_EQ(number("s021")->value(), 1724050.34);
    number("e003")->setFocus();
    kestrune::testing::typeInto(number("e003"), "12.75");
    form->button("tbSave")->click();
    EXPECT_EQ(ui.messageTexts().last(), "数据保存成功，有逻辑错误！");
    QList<QVariantList> amounts;
    connection().forEachRow("select s021, e003 from dt_data", {}, [&](const db::Statement& row) {
        amounts << QVariantList{row.value(0).toDouble(), row.value(1).toDouble()};
    });
    EXPECT_EQ(amounts, (QList<QVariantList>{{1724050.34, 12.75}}));
}

TEST_F(RecordEditingTest, AFailedSaveLeavesTheRowAndKeepsTheEnteredValues) {
    storeRecord(kFirstCode, "甲");
    const auto before = rows();
    connection().execute("create trigger refuse before update on dt_data "
                         "begin select raise(abort, '磁盘已满'); end");
    open(false);
    type("c902", "甲改");
    form->button("tbSave")->click();
    EXPECT_EQ(ui.messageTexts(), QStringList{"保存过程中遇到错误：磁盘已满数据没有被保存。"});
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(text("c902")->text(), "甲改");
    EXPECT_TRUE(form->button("tbSave")->isEnabled());
}

TEST_F(RecordEditingTest, EditingShowsThePositionAndMovesThroughTheList) {
    for (int i = 0; i < 3; ++i)
        storeRecord(kFirstCode + i, QString("单位%1").arg(i + 1));
    open(false, 1);
    EXPECT_EQ(text("c902")->text(), "单位2");
    EXPECT_EQ(text("LevelName")->text(), "乡镇工会");
    EXPECT_EQ(form->itemNo()->text(), "第2条/共3条");
    EXPECT_TRUE(form->navBar()->isVisibleTo(form.get()));
    EXPECT_TRUE(form->button("tbSave")->isVisibleTo(form.get()));
    EXPECT_FALSE(form->button("tbAdd")->isVisibleTo(form.get()));
    EXPECT_TRUE(form->navAction("actPrev")->isEnabled());
    EXPECT_TRUE(form->navAction("actNext")->isEnabled());

    type("c902", "单位2改");
    ui.confirmAnswers = {false}; // the guard asks; No moves on without saving
    form->navAction("actLast")->trigger();
    EXPECT_EQ(text("c902")->text(), "单位3");
    EXPECT_EQ(form->itemNo()->text(), "第3条/共3条");
    EXPECT_FALSE(form->navAction("actNext")->isEnabled());
    EXPECT_FALSE(form->navAction("actLast")->isEnabled());
    EXPECT_TRUE(form->printWanted());
    form->navAction("actFirst")->trigger(); // no changes: no question
    EXPECT_EQ(ui.confirmations.size(), 1);
    EXPECT_EQ(text("c902")->text(), "单位1");
    EXPECT_FALSE(form->navAction("actPrev")->isEnabled());
    EXPECT_EQ(codesAndStates()[1], (QVariantList{130102000002LL, "单位2", 1}));
}

TEST_F(RecordEditingTest, ASingleRowHidesTheNavigation) {
    storeRecord(kFirstCode, "甲");
    open(false);
    EXPECT_EQ(form->itemNo()->text(), "第1条/共1条");
    EXPECT_FALSE(form->navBar()->isVisibleTo(form.get()));
    EXPECT_EQ(PositionCaption(0, 0), "第1条/共1条");
}

TEST_F(RecordEditingTest, ChangingTheCodeOfAnEditedRecordKeepsItCurrent) {
    storeRecord(kFirstCode, "甲");
    storeRecord(kFirstCode + 1, "乙");
    open(false);
    number("c901")->setValue(130102000009.0);
    type("c902", "甲");
    form->button("tbSave")->click();
    EXPECT_EQ(editor().storedCode(), 130102000009.0);
    EXPECT_EQ(list->currentCode(), 130102000009.0);
    EXPECT_EQ(codesAndStates().last(), (QVariantList{130102000009LL, "甲", 1}));
}

TEST_F(RecordEditingTest, CtrlSSavesOnlyWhileTemporarySavingIsOffered) {
    storeRecord(kFirstCode, "甲");
    open(false);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_FALSE(form->button("tbHold")->isEnabled());
    // A clean record stays saved without errors.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲", 1}}));
    EXPECT_TRUE(ui.messages.empty());
    // After a change the key does what "临时保存" does.
    type("c902", "乙");
    ASSERT_TRUE(form->button("tbHold")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "乙", 0}}));
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据已经被临时保存。"});
}

TEST_F(RecordEditingTest, TheLogicErrorListLeavesTheButtonsAndMessagesFreeAndStaysWhereMoved) {
    storeRecord(kFirstCode, "甲");
    open(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(form->turnToPage(1));
    breakPageRule();
    form->button("tbCheck")->click();
    check::TMessageListWinForm* errors = form->messageList();
    ASSERT_TRUE(errors->isVisible());
    const QRect placed = errors->frameGeometry();
    EXPECT_TRUE(errors->screen()->availableGeometry().contains(placed));
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        EXPECT_FALSE(placed.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
            << button->objectName().toStdString();
    }
    EXPECT_FALSE(placed.intersects(shell::MessageBoxZone(form->frameGeometry())));
    EXPECT_FALSE(placed.intersects(shell::MessageBoxZone(errors->screen()->availableGeometry())));

    // A change of page checks again; the list does not jump.
    ASSERT_TRUE(form->turnToPage(2));
    ASSERT_TRUE(errors->isVisible()); // 表1's rule is still broken
    EXPECT_EQ(errors->frameGeometry(), placed);

    // Where the person moves it, it stays, on the screen.
    const QPoint moved = errors->pos() + QPoint(0, -100);
    errors->move(moved);
    ASSERT_TRUE(form->turnToPage(1));
    ASSERT_TRUE(errors->isVisible());
    EXPECT_EQ(errors->pos(), moved);
    errors->move(QPoint(5000, 5000)); // dragged off the screen
    ASSERT_TRUE(form->turnToPage(2));
    EXPECT_TRUE(errors->screen()->availableGeometry().contains(errors->frameGeometry()));
}

} // namespace
