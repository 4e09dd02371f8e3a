#include "check/RecordStateReset.h"

#include "CheckDatabase.h"
#include "schema/Connection.h"

#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::CheckDatabase;

namespace {

const QString kQuestion = "所有记录的状态都将被设为“无逻辑错误”，确实要这样做吗？";

class RecordStateResetTest : public ::testing::Test {
protected:
    void SetUp() override {
        database.addRecord(1001, "未检查", {}, 4, 1, QVariant());
        database.addRecord(1002, "有逻辑错误", {}, 4, 1, 2);
        database.addRecord(1003, "状态零", {}, 4, 1, 0);
        database.addRecord(1004, "已通过", {}, 4, 1, 1);
    }

    // The records' states in code order, NULL as "NULL".
    QStringList states() {
        QStringList all;
        for (const double code : {1001.0, 1002.0, 1003.0, 1004.0}) {
            const QVariant state = database.recordState(code);
            all << (state.isNull() ? QString("NULL") : state.toString());
        }
        return all;
    }

    CheckDatabase database;
};

TEST_F(RecordStateResetTest, AfterYesEveryRecordReadsAsWithoutLogicError) {
    database.ui.confirmAnswers = {true};
    EXPECT_TRUE(check::ResetAllRecordStates(database.connection(), database.ui));
    EXPECT_EQ(database.ui.confirmations, QStringList{kQuestion});
    EXPECT_EQ(database.ui.confirmationCaptions, QStringList{"提示信息"});
    EXPECT_EQ(states(), QStringList({"1", "1", "1", "1"}));
    EXPECT_EQ(database.connection().scalar("select count(*) from dt_data").toInt(), 4);
}

TEST_F(RecordStateResetTest, AfterNoEveryStateStaysAsItWas) {
    database.ui.confirmAnswers = {false};
    EXPECT_FALSE(check::ResetAllRecordStates(database.connection(), database.ui));
    EXPECT_EQ(states(), QStringList({"NULL", "2", "0", "1"}));
}

} // namespace
