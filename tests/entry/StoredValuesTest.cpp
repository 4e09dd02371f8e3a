// A record's stored values survive the entry dialog to the last digit, what
// a box cannot take is refused where it is typed, and a save that meets a
// busy database keeps what was typed.
#include "entry/EntryDialogFixture.h"
#include "entry/RecordStore.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <limits>

using namespace kestrune;
using namespace kestrune::entry;
using kestrune::testing::kFirstCode;

namespace {

class StoredValuesTest : public kestrune::testing::EntryDialogFixture {
protected:
    // A county union (level 3), which fills every page.
    void storeOddRecord() {
        connection().execute(
            "insert into dt_data (c901, c902, c903, c904, c905, c906, c907, z001, b012, y001, "
            "z002, z005, x001, d012, RecordState) values (?, '甲', 130102, 3, '张三', "
            "'0311-86012345', 1, 10, 1724050.34, 3806.86, -5, 12, ?, 3.5, 1)",
            {kFirstCode, std::numeric_limits<double>::infinity()});
    }
    QVariantMap storedRow() {
        QVariantMap row = ReadStoredRecord(connection(), kFirstCode);
        row.remove("c902");
        row.remove("RecordState");
        return row;
    }
};

TEST_F(StoredValuesTest, ValuesABoxCannotTakeAreShownFlaggedAndSavedUnchanged) {
    storeOddRecord();
    const QVariantMap before = storedRow();
    open(false);
    EXPECT_EQ(number("b012")->text(), "1,724,050.34");
    EXPECT_EQ(number("y001")->text(), "3,806.86");
    EXPECT_EQ(number("z002")->text(), "-5");
    EXPECT_EQ(number("z005")->text(), "12");
    EXPECT_EQ(number("x001")->text(), "inf");
    EXPECT_EQ(number("d012")->text(), "3.5");
    EXPECT_EQ(number("b012")->outOfLimitsHint(), "");
    EXPECT_EQ(number("z002")->outOfLimitsHint(),
              "保存的数值 -5 超出了这里允许的范围，请核实：这里只能输入 0 到 "
              "99,999,999,999,999 之间的整数");
    EXPECT_EQ(number("z005")->outOfLimitsHint(),
              "保存的数值 12 超出了这里允许的范围，请核实：这里只能输入 0 到 2 之间的整数");
    EXPECT_EQ(number("z002")->toolTip(), number("z002")->outOfLimitsHint());
    EXPECT_NE(number("d012")->outOfLimitsHint(), ""); // a fraction in a whole-number field

    // Visiting the boxes without typing changes nothing.
    for (const char* name : {"b012", "z002", "z005", "d012"})
        focusBox(name);
    type("c902", "甲改");
    ui.confirmAnswers = {};
    form->button("tbHold")->click();
    form->button("tbSave")->click();
    EXPECT_EQ(ReadStoredRecord(connection(), kFirstCode).value("c902"), "甲改");
    EXPECT_EQ(storedRow(), before);
    EXPECT_EQ(ReadStoredRecord(connection(), kFirstCode).value("b012").toDouble(), 1724050.34);
}

TEST_F(StoredValuesTest, ATypedValueReplacesAFlaggedOneAndDecimalFieldsTakeDecimals) {
    storeOddRecord();
    open(false);
    focusBox("z005");
    number("z005")->selectAll();
    QTest::keyClicks(number("z005"), "1");
    EXPECT_EQ(number("z005")->outOfLimitsHint(), "");
    focusBox("b012");
    number("b012")->selectAll();
    QTest::keyClicks(number("b012"), "25.75");
    focusBox("z001");
    EXPECT_EQ(number("b012")->text(), "25.75");
    form->button("tbHold")->click();
    const QVariantMap row = ReadStoredRecord(connection(), kFirstCode);
    EXPECT_EQ(row.value("z005").toDouble(), 1.0);
    EXPECT_EQ(row.value("b012").toDouble(), 25.75);
    EXPECT_EQ(row.value("z002").toDouble(), -5.0);
}

TEST_F(StoredValuesTest, TypingPastALimitIsRefusedVisiblyAndNothingIsCut) {
    open(true);
    TNumberEdit* members = number("z001");
    focusBox("z001");
    QTest::keyClicks(members, "99999999999999"); // the largest allowed: 14 nines
    EXPECT_EQ(members->text(), "99999999999999");
    EXPECT_EQ(members->lastRefusal(), "");
    QTest::keyClicks(members, "9");
    EXPECT_EQ(members->text(), "99999999999999");
    EXPECT_EQ(members->lastRefusal(), "这里只能输入 0 到 99,999,999,999,999 之间的整数");
    focusBox("z002");
    EXPECT_EQ(members->value(), 99999999999999.0);
    EXPECT_EQ(members->text(), "99,999,999,999,999");
    // The largest value shows whole in the box.
    EXPECT_GE(members->width(), members->fontMetrics().horizontalAdvance(members->text()));

    TNumberEdit* answer = number("z005");
    focusBox("z005");
    QTest::keyClicks(answer, "3");
    EXPECT_EQ(answer->text(), "");
    EXPECT_EQ(answer->lastRefusal(), "这里只能输入 0 到 2 之间的整数");
    QTest::keyClicks(answer, "2");
    EXPECT_EQ(answer->text(), "2");
    EXPECT_EQ(answer->lastRefusal(), "");
}

TEST_F(StoredValuesTest, PastingTooLongANumberIsRefusedWhole) {
    open(true);
    TNumberEdit* members = number("z001");
    focusBox("z001");
    members->insert("99999999999999999"); // 17 nines, as a paste inserts them
    EXPECT_EQ(members->text(), "");
    EXPECT_EQ(members->lastRefusal(), "这里只能输入 0 到 99,999,999,999,999 之间的整数");
}

TEST_F(StoredValuesTest, ASaveMeetingABusyDatabaseKeepsWhatWasTyped) {
    storeRecord(kFirstCode, "甲");
    open(false);
    connection().setBusyTimeout(50);
    type("c902", "甲改");
    db::Connection other; // another program in the middle of a write
    other.open(session.database.currentPath());
    other.begin();
    other.execute("update dt_data set c905='李四'");

    form->button("tbSave")->click();
    const QString busy =
        "保存过程中遇到错误：数据库文件正被其他程序使用，请稍后再试。数据没有被保存。";
    EXPECT_EQ(ui.messageTexts(), QStringList{busy});
    EXPECT_EQ(text("c902")->text(), "甲改");
    EXPECT_TRUE(form->button("tbSave")->isEnabled());
    // Closing with Yes tries again; it fails too, and the dialog stays.
    ui.confirmAnswers = {true};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.messageTexts().last(), busy);

    other.rollback();
    form->button("tbSave")->click();
    EXPECT_EQ(ui.messageTexts().last(), "数据保存成功，没有逻辑错误！");
    EXPECT_EQ(codesAndStates(), (QList<QVariantList>{{130102000001LL, "甲改", 1}}));
}

} // namespace
