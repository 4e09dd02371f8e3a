#include "sum/BreakdownPass.h"

#include "RecordGenerator.h"
#include "SumDatabase.h"
#include "schema/Connection.h"
#include "sum/GroupOrder.h"
#include "sum/SumQueries.h"
#include "sum/SummarySheets.h"

#include <algorithm>

using namespace kestrune;
using kestrune::testing::SumDatabase;

namespace {

std::vector<int> summarySheets() {
    std::vector<int> sheets;
    for (int s = sum::kFirstSummarySheet; s <= sum::kLastSummarySheet; ++s)
        sheets.push_back(s);
    return sheets;
}

std::string shown(const sum::Aggregate& value) {
    return value ? QString::number(*value, 'g', 17).toStdString() : std::string("empty");
}

// Generated records and the cases a generator does not make: codes 0 and
// below, empty yes/no answers and weights, levels and states outside the
// code tables, decimal amounts.
class BreakdownPassTest : public SumDatabase {
protected:
    void SetUp() override {
        cli::generateRecords(connection(), 600, 20261209);
        addRecord(0, 3, 1, {{"z001", 7}, {"d017", 40}, {"d012", 3}, {"d031", 50}, {"x001", 2}});
        addRecord(-12, 4, 2, {{"z001", 9}, {"d017", 35.5}, {"d012", 4}});
        addRecord(110199000001, 4, 1, {{"z005", QVariant()}, {"d017", 41}, {"d012", QVariant()}});
        addRecord(110199000002, QVariant(), QVariant(), {{"z001", 1}});
        addRecord(110199000003, 99, 99, {{"z001", 1}});
        addRecord(110199000004, 5, 2, {{"s009", 1234.56}, {"s010", 0.1}, {"d031", -3}});
        addRecord(110199000005, 5, 2, {{"s009", 0.07}, {"s010", 0.2}, {"x001", 0}});
    }

    void expectSameRows(const std::vector<sum::SummaryRow>& rows, int sheet,
                        const std::vector<std::vector<QVariant>>& expected) {
        ASSERT_EQ(rows.size(), expected.size());
        for (size_t r = 0; r < rows.size(); ++r) {
            SCOPED_TRACE("row " + std::to_string(r));
            EXPECT_EQ(rows[r].name, expected[r][0].toString());
            const std::vector<sum::Aggregate> want = aggregates(expected[r], 2);
            const std::vector<sum::Aggregate>& got = rows[r].sheets.at(sheet);
            ASSERT_EQ(got.size(), want.size());
            for (size_t k = 0; k < got.size(); ++k) {
                SCOPED_TRACE(sum::summarySheet(sheet).items[k].name().toStdString());
                EXPECT_EQ(shown(got[k]), shown(want[k]));
            }
        }
    }

    void expectLikeCodeQueries(sum::Breakdown breakdown) {
        const sum::BreakdownResult result =
            sum::BreakdownPass::compute(connection(), breakdown, 0, summarySheets());
        for (int sheet : summarySheets()) {
            SCOPED_TRACE("sheet " + std::to_string(sheet));
            auto expected =
                rows(breakdown == sum::Breakdown::Level ? sum::LevelBreakdownQuery(sheet)
                                                        : sum::StateBreakdownQuery(sheet));
            // The sheet shows the descending rows from the bottom up.
            std::reverse(expected.begin(), expected.end());
            expectSameRows(result.rows, sheet, expected);
        }
        for (int sheet : {22, 23}) {
            const QVariant mean = connection().scalar(sum::OverallWeightedMeanQuery(sheet));
            EXPECT_EQ(shown(result.overallMeans.at(sheet)), shown(mean.toDouble()));
        }
    }
};

TEST_F(BreakdownPassTest, LevelsGiveWhatTheLevelQueriesGive) {
    expectLikeCodeQueries(sum::Breakdown::Level);
}

TEST_F(BreakdownPassTest, StatesGiveWhatTheStateQueriesGive) {
    expectLikeCodeQueries(sum::Breakdown::State);
}

TEST_F(BreakdownPassTest, GroupItemsGiveWhatTheirRangeQueriesGive) {
    const double low = connection().scalar("select min(c901) from dt_data where c901>0").toDouble();
    const double high = connection().scalar("select max(c901) from dt_data").toDouble();
    const double middle =
        connection()
            .scalar("select c901 from dt_data where c901>0 order by c901 limit 1 offset 300")
            .toDouble();
    const qint64 group = addGroup("按编号", "Title DESC",
                                  {{"前半", ">=", low, "<", middle},
                                   {"后半'含末", ">=", middle, "<=", high},
                                   {"全部", ">", 0, "<=", high},
                                   {"无记录", ">", high, "<", high + 100}});
    const sum::BreakdownResult result =
        sum::BreakdownPass::compute(connection(), sum::Breakdown::Group, group, summarySheets());
    const std::vector<sum::GroupItem> items = sum::ReadGroupItems(connection(), group);
    ASSERT_EQ(items.size(), 4u);
    // Sorted by title descending, as the group keeps them.
    EXPECT_EQ(items[0].title, "无记录");
    EXPECT_EQ(items[1].title, "后半'含末");
    EXPECT_EQ(items[2].title, "前半");
    EXPECT_EQ(items[3].title, "全部");
    for (int sheet : summarySheets()) {
        SCOPED_TRACE("sheet " + std::to_string(sheet));
        std::vector<std::vector<QVariant>> expected;
        for (size_t i = 0; i < items.size(); ++i) {
            auto row = rows(sum::GroupItemQuery(sheet, items[i].title, int(i) + 1,
                                                items[i].lowValue, items[i].highValue));
            ASSERT_EQ(row.size(), 1u);
            expected.push_back(row[0]);
        }
        expectSameRows(result.rows, sheet, expected);
    }
    EXPECT_TRUE(result.overallMeans.empty());
    // An item without records: a count of 0, empty sums, a mean of 0.
    const sum::SummaryRow& none = result.rows[0];
    ASSERT_EQ(none.name, "无记录");
    EXPECT_EQ(shown(none.sheets.at(2)[0]), "0");
    EXPECT_EQ(shown(none.sheets.at(2)[1]), "empty");
    EXPECT_EQ(shown(none.sheets.at(22)[3]), "0");
}

TEST_F(BreakdownPassTest, AdvancesInStepsOverEveryRecord) {
    sum::BreakdownPass pass(connection(), sum::Breakdown::Level, 0, {2, 11});
    EXPECT_EQ(pass.total(), 605); // not the records of codes 0 and -12
    int steps = 0;
    while (pass.advance(100))
        ++steps;
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(pass.done(), 605);
    const sum::BreakdownResult result = pass.result();
    ASSERT_EQ(result.rows.size(), 12u);
    EXPECT_EQ(result.rows.front().name, "未选择");
    EXPECT_EQ(result.rows[0].sheets.size(), 2u);
    EXPECT_TRUE(result.overallMeans.empty());
}

} // namespace
