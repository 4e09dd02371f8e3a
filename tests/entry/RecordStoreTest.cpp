#include "entry/RecordStore.h"

#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "support/StartedSession.h"

#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::entry;
using kestrune::testing::StartedSessionTest;

namespace {

class RecordStoreTest : public StartedSessionTest {
protected:
    db::Connection& c() { return connection(); }
    QString row(double code) {
        return c()
            .scalar("select c902 || '|' || ifnull(z001,'') || '|' || RecordState from dt_data "
                    "where c901=?",
                    {code})
            .toString();
    }
};

TEST_F(RecordStoreTest, NextUnitCodeIsOneAboveTheHighest) {
    EXPECT_EQ(NextUnitCode(c()), 0.0);
    c().execute("insert into dt_data (c901) values (130102000007)");
    EXPECT_EQ(NextUnitCode(c()), 130102000008.0);
}

TEST_F(RecordStoreTest, ANewRecordIsAppendedOnceThenUpdated) {
    QVariantMap values{{"c901", 130102000001.0}, {"c902", "甲"}, {"z001", 4}};
    double stored = WriteRecord(c(), values, SaveKind::Temporary, true, 0);
    EXPECT_EQ(stored, 130102000001.0);
    EXPECT_EQ(row(stored), "甲|4.0|0");
    values["z001"] = 5;
    stored = WriteRecord(c(), values, SaveKind::FormalWithErrors, false, stored);
    EXPECT_EQ(row(stored), "甲|5.0|2");
    EXPECT_EQ(c().scalar("select count(*) from dt_data").toInt(), 1);
    // A changed code moves the record.
    values["c901"] = 130102000002.0;
    stored = WriteRecord(c(), values, SaveKind::FormalClean, false, stored);
    EXPECT_EQ(row(130102000002.0), "甲|5.0|1");
    EXPECT_EQ(c().scalar("select count(*) from dt_data").toInt(), 1);
}

TEST_F(RecordStoreTest, AFailedSaveLeavesTheStoredRowExactlyAsItWas) {
    c().execute(
        "insert into dt_data (c901, c902, z001, RecordState) values (130102000001, '甲', 1, 1)");
    c().execute(
        "insert into dt_data (c901, c902, z001, RecordState) values (130102000002, '乙', 2, 1)");
    const QVariantMap clash{{"c901", 130102000001.0}, {"c902", "乙改"}, {"z001", 9}};
    EXPECT_THROW(WriteRecord(c(), clash, SaveKind::FormalClean, false, 130102000002.0),
                 db::EngineError);
    EXPECT_EQ(row(130102000002.0), "乙|2.0|1");
    EXPECT_EQ(row(130102000001.0), "甲|1.0|1");
    EXPECT_FALSE(c().inTransaction());
    EXPECT_EQ(SaveErrorMessage("x"), "保存过程中遇到错误：x数据没有被保存。");
}

} // namespace
