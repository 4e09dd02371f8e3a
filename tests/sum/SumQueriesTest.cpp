#include "sum/SumQueries.h"

#include "SumDatabase.h"
#include "schema/Connection.h"
#include "sum/SummarySheets.h"

using namespace kestrune;
using kestrune::testing::SumDatabase;

namespace {

TEST(SumSelectListTest, SheetTwoReadsInFull) {
    EXPECT_EQ(sum::SumSelectList(2),
              "count(*) as cnt,sum(z001) as sum_z001,sum(z002) as sum_z002,sum(z003) as "
              "sum_z003,sum(z004) as sum_z004,sum(z005*(2-z005)) as sum_z005_1,sum(int(z005/2) "
              "+ (2-z005)*(1-z005)/2) as sum_z005_2 from dt_data where c901>0");
}

TEST(SumSelectListTest, WeightedMeansAndSheetTwentyFiveKeepTheirSpacing) {
    EXPECT_TRUE(sum::SumSelectList(22).contains(
        ",iif(sum(iif(d017>0,d012,0))>0,sum(d017*d012)/sum(iif(d017>0,d012,0)),0)  as "
        "sum_d017,sum(d018) as sum_d018,"));
    EXPECT_TRUE(sum::SumSelectList(23).endsWith(
        ",sum(d030) as sum_d030,iif(sum(iif(d031>0,x001,0))>0,sum(d031*x001)/"
        "sum(iif(d031>0,x001,0)),0) as sum_d031 from dt_data where c901>0"));
    EXPECT_TRUE(sum::SumSelectList(25).endsWith(
        "sum(y011) as sum_y011,sum(y012) as sum_y012 from   dt_data where c901>0"));
    EXPECT_TRUE(sum::SumSelectList(14).startsWith(
        "sum(s001*(2-s001)) as sum_s001_1,sum(int(s001/2) + (2-s001)*(1-s001)/2) as "
        "sum_s001_2,sum(s002*(2-s002)) as sum_s002_1,"));
}

TEST(SumSelectListTest, SheetsHoldTheirItemsInFieldOrder) {
    // Items per sheet: fields plus one more for every yes/no field.
    const int expected[] = {7,  7, 16, 6, 14, 10, 13, 12, 10, 8, 10, 9,
                            14, 6, 11, 5, 4,  3,  4,  13, 10, 9, 10, 12};
    for (int sheet = 2; sheet <= 25; ++sheet) {
        SCOPED_TRACE(sheet);
        EXPECT_EQ(sum::summarySheet(sheet).items.size(), size_t(expected[sheet - 2]));
        EXPECT_EQ(sum::SumSelectList(sheet).count(QStringLiteral(" as ")), expected[sheet - 2]);
    }
    EXPECT_EQ(sum::summarySheet(11).title, "表五  工会劳动保护工作");
    EXPECT_THROW(sum::SumSelectList(1), std::out_of_range);
    EXPECT_THROW(sum::SumSelectList(26), std::out_of_range);
}

TEST(SumQueryTextTest, BreakdownsWrapTheSelectList) {
    EXPECT_EQ(sum::LevelBreakdownQuery(11),
              "select code.name,sum_table.*  from CT_LevelCode code left join (select c904," +
                  sum::SumSelectList(11) +
                  " group by c904) sum_table on code.id = sum_table.c904 order by "
                  "code.sequence desc");
    EXPECT_EQ(sum::StateBreakdownQuery(11),
              "select code.name,sum_table.*  from ct_state code left join (select c907," +
                  sum::SumSelectList(11) +
                  " group by c907) sum_table on code.id = sum_table.c907 order by "
                  "code.sequence desc");
    EXPECT_EQ(sum::GroupItemQuery(11, "市本级", 2, ">=110000000000", "<120000000000"),
              " select '市本级' as ItemName,2 as sid," + sum::SumSelectList(11) +
                  " and dt_data.c901>=110000000000 and dt_data.c901<120000000000");
    EXPECT_EQ(sum::OverallWeightedMeanQuery(22),
              "select iif(sum(iif(d017>0,d012,0))>0,sum(d017*d012)/sum(iif(d017>0,d012,0)),0)  "
              "as sum_d017_cnt from dt_data");
    EXPECT_EQ(sum::OverallWeightedMeanQuery(23),
              "select iif(sum(iif(d031>0,x001,0))>0,sum(d031*x001)/sum(iif(d031>0,x001,0)),0)  "
              "as sum_d031_cnt from dt_data");
    EXPECT_EQ(sum::OverallWeightedMeanField(23), "sum_d031_cnt");
}

class SumQueryRunTest : public SumDatabase {};

TEST_F(SumQueryRunTest, YesNoCountsLeaveEmptyAnswersOut) {
    addRecord(110101000001, 3, 1, {{"z005", 1}});
    addRecord(110101000002, 3, 1, {{"z005", 2}});
    addRecord(110101000003, 3, 1, {{"z005", 0}});
    addRecord(110101000004, 3, 1, {{"z005", QVariant()}});
    const auto result = rows("select " + sum::SumSelectList(2));
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0][0].toInt(), 4);
    EXPECT_EQ(result[0][5].toDouble(), 1.0);
    EXPECT_EQ(result[0][6].toDouble(), 2.0);
}

TEST_F(SumQueryRunTest, WeightedMeanLeavesOutRecordsWithoutAPositiveValue) {
    addRecord(110101000001, 3, 1, {{"d017", 50}, {"d012", 10}});
    addRecord(110101000002, 3, 1, {{"d017", 0}, {"d012", 30}});
    const auto result = rows("select " + sum::SumSelectList(22));
    EXPECT_EQ(result[0][3].toDouble(), 50.0);
    connection().execute("update dt_data set d017=0");
    EXPECT_EQ(rows("select " + sum::SumSelectList(22))[0][3].toDouble(), 0.0);
}

TEST_F(SumQueryRunTest, LevelWithoutRecordsShowsEmptyAggregates) {
    addRecord(110101000001, 3, 1, {{"z001", 4}});
    addRecord(110101000002, 3, 1, {{"z001", 5}});
    addRecord(-1, 2, 1, {{"z001", 100}});
    const auto result = rows(sum::LevelBreakdownQuery(2));
    ASSERT_EQ(result.size(), 12u);
    for (const auto& row : result) {
        SCOPED_TRACE(row[0].toString().toStdString());
        if (row[0].toString() == "县级地方工会") {
            EXPECT_EQ(row[2].toInt(), 2);
            EXPECT_EQ(row[3].toDouble(), 9.0);
        } else {
            EXPECT_TRUE(row[2].isNull()); // no count, as no records
            EXPECT_TRUE(row[3].isNull());
        }
    }
}

TEST_F(SumQueryRunTest, GroupItemTitleWithAQuoteRuns) {
    addRecord(110101000001, 3, 1, {{"z001", 4}});
    const auto result =
        rows(sum::GroupItemQuery(2, "职工'之家", 1, ">=110000000000", "<120000000000"));
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0][0].toString(), "职工'之家");
    EXPECT_EQ(result[0][2].toInt(), 1);
}

} // namespace
