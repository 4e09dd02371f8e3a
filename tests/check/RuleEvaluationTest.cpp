#include "CheckDatabase.h"
#include "check/RecordCursor.h"
#include "check/RuleSet.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/Transaction.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace kestrune;
using namespace kestrune::check;
using kestrune::testing::CheckDatabase;

namespace {

using Numbers = std::vector<int>;

Numbers broken(const QVariantMap& stored) {
    const RuleSet& rules = RuleSet::builtIn();
    RecordValues values(rules.fields());
    for (auto it = stored.begin(); it != stored.end(); ++it)
        values.set(it.key(), it.value());
    return rules.brokenRules(values);
}

bool breaks(int rule, const QVariantMap& stored) {
    const Numbers numbers = broken(stored);
    return std::find(numbers.begin(), numbers.end(), rule) != numbers.end();
}

TEST(RuleEvaluationTest, AnEmptyRecordBreaksTheRulesThatNeedAnswers) {
    EXPECT_EQ(broken({}), (Numbers{1, 7, 81, 84, 87}));
    // Level codes above 3 are free of the rules for local unions.
    EXPECT_EQ(broken({{"c904", 4}, {"z001", 1}}), Numbers{});
    EXPECT_EQ(broken({{"c904", 4}}), Numbers{1});
}

TEST(RuleEvaluationTest, CadreCountsAndTheirTraining) {
    // Rule 11: both counts present and the trained part within the whole, or both empty.
    EXPECT_FALSE(breaks(11, {{"x001", 50000}, {"x003", 50000}}));
    EXPECT_FALSE(breaks(11, {}));
    EXPECT_TRUE(breaks(11, {{"x001", 5}, {"x003", 6}}));
    EXPECT_TRUE(breaks(11, {{"x001", 5}}));
    EXPECT_TRUE(breaks(11, {{"x003", 5}}));
}

TEST(RuleEvaluationTest, AtMostOneOfTheFourChairAnswersIsYes) {
    const QStringList answers = {"x004", "x005", "x006", "x007"};
    EXPECT_FALSE(breaks(12, {}));
    for (const QString& yes : answers)
        EXPECT_FALSE(breaks(12, {{yes, 1}})) << yes.toStdString();
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b)
            EXPECT_TRUE(breaks(12, {{answers[a], 1}, {answers[b], 1}}))
                << answers[a].toStdString() << answers[b].toStdString();
    }
    EXPECT_TRUE(breaks(12, {{"x004", 1}, {"x005", 1}, {"x006", 1}, {"x007", 1}}));
    // 2 is "no" and does not count.
    EXPECT_FALSE(breaks(12, {{"x004", 2}, {"x005", 2}, {"x006", 1}, {"x007", 2}}));
}

TEST(RuleEvaluationTest, AuditedFundsStayBelowTheCadres) {
    // Rule 61: with s007 = 1 the sum must be positive and strictly below z001 + z003.
    const QVariantMap base = {{"s007", 1}, {"z001", 3}, {"z003", 2}};
    QVariantMap equal = base;
    equal.insert({{"s008", 4}, {"s010", 1}});
    EXPECT_TRUE(breaks(61, equal));
    QVariantMap below = base;
    below.insert({{"s008", 3}, {"s010", 1}});
    EXPECT_FALSE(breaks(61, below));
    EXPECT_TRUE(breaks(61, base));
    EXPECT_TRUE(breaks(61, {{"s007", 2}, {"s010", 1}}));
    EXPECT_FALSE(breaks(61, {{"s007", 2}}));
}

TEST(RuleEvaluationTest, ContractCountAndAmountGoTogether) {
    // Rule 28: both empty, or both positive with the amount above the count.
    EXPECT_TRUE(breaks(28, {{"b011", 0}, {"b012", 0.5}}));
    EXPECT_FALSE(breaks(28, {{"b011", 1}, {"b012", 1.5}}));
    EXPECT_TRUE(breaks(28, {{"b011", 2}, {"b012", 1.5}}));
    EXPECT_FALSE(breaks(28, {}));
}

TEST(RuleEvaluationTest, AmountsInTenThousandYuanCountTheirFractions) {
    // Rule 67: projects with money spent on them; 0.4万元 is money spent.
    const QVariantMap projects = {{"e001", 2}, {"e002", 1}, {"e004", 30}};
    QVariantMap spent = projects;
    spent["e003"] = 0.4;
    EXPECT_FALSE(breaks(67, spent));
    EXPECT_TRUE(breaks(67, projects));
    // Rule 60: without an audit committee no audit gains, however small.
    EXPECT_TRUE(breaks(60, {{"s004", 2}, {"s021", 0.4}}));
    EXPECT_FALSE(breaks(60, {{"s004", 1}, {"s021", 0.4}}));
}

TEST(RuleEvaluationTest, LeadersNeedOneMoreThanTheirParts) {
    // Rule 84 for levels up to 3: d024 + d029 + 1 <= d007.
    const QVariantMap equal = {{"c904", 3}, {"d007", 5}, {"d024", 3}, {"d029", 2}};
    EXPECT_TRUE(breaks(84, equal));
    QVariantMap more = equal;
    more["d007"] = 6;
    EXPECT_FALSE(breaks(84, more));
    QVariantMap upper = equal;
    upper["c904"] = 4;
    EXPECT_FALSE(breaks(84, upper));
}

TEST(RuleEvaluationTest, ExplanationsThatWordTheRuleOtherwiseDoNotDecide) {
    // Rule 62 explains s013/s014 but tests s012/s013: a pair that meets the
    // explanation breaks the rule, s014 plays no part.
    EXPECT_TRUE(breaks(62, {{"s013", 1}, {"s014", 2}}));
    EXPECT_FALSE(breaks(62, {{"s012", 1}, {"s013", 2}, {"s014", 1}}));
    // Rule 81 mentions d023 but tests d017 alone.
    EXPECT_FALSE(breaks(81, {{"c904", 1}, {"d017", 20}}));
    EXPECT_TRUE(breaks(81, {{"c904", 1}, {"d017", 19}, {"d023", 40}}));
    // Rule 7 reads c904 < 4 for the local unions, c904 > 3 for the rest.
    EXPECT_TRUE(breaks(7, {{"c904", 3}}));
    EXPECT_FALSE(breaks(7, {{"c904", 3}, {"x001", 1}}));
    EXPECT_FALSE(breaks(7, {{"c904", 9}}));
}

// The page rules of the installed database (dt_logic) state each built-in rule
// once more, negated, for the entry dialog; run by the database engine they
// must find the same broken rules as the compiled conditions, record by record.
TEST(RuleEvaluationTest, CompiledRulesAgreeWithTheEnginesReadingOfThePageRules) {
    CheckDatabase database;
    db::Connection& connection = database.connection();
    QStringList indicators;
    {
        db::Dataset columns = connection.query(
            "select FieldName from dt_fieldlist where PageID between 1 and 13 order by sequence");
        for (columns.first(); !columns.eof(); columns.next())
            indicators << columns.field("FieldName").asText();
    }
    ASSERT_EQ(indicators.size(), 198);
    std::mt19937 dice(20200831);
    const int records = 3000;
    {
        db::Transaction transaction(connection);
        const QString slots = QStringList(QList<QString>(indicators.size() + 4, "?")).join(',');
        const QString insert = "insert into dt_data (c901, c902, c904, c907, " +
                               indicators.join(',') + ") values (" + slots + ")";
        for (int r = 0; r < records; ++r) {
            QVariantList values = {100000000000.0 + r, QString("单位%1").arg(r), int(dice() % 12),
                                   1};
            for (const QString& field : indicators) {
                if (isRealValuedField(field))
                    values << double(dice() % 7) / 2; // 0, 0.5 ... 3
                else
                    values << int(dice() % 4);
            }
            connection.execute(insert, values);
        }
        transaction.commit();
    }

    QHash<int, QSet<qint64>> compiled;
    const RuleSet& rules = RuleSet::builtIn();
    RecordCursor cursor(connection, rules.fields(), CheckSelection::allRecords());
    int read = 0;
    while (cursor.next()) {
        ++read;
        for (int number : rules.brokenRules(cursor.values()))
            compiled[number].insert(qint64(cursor.unitCode()));
    }
    ASSERT_EQ(read, records);

    db::Dataset pageRules = connection.query("select expression from dt_logic");
    ASSERT_EQ(pageRules.recordCount(), 96);
    int number = 0;
    for (pageRules.first(); !pageRules.eof(); pageRules.next()) {
        ++number;
        QSet<qint64> engine;
        db::Dataset hits = connection.query("select c901 from dt_data where " +
                                            pageRules.field("expression").asText());
        for (hits.first(); !hits.eof(); hits.next())
            engine.insert(hits.field("c901").asInteger());
        const QSet<qint64> ours = compiled.value(number);
        const QSet<qint64> onlyOurs = QSet<qint64>(ours).subtract(engine);
        const QSet<qint64> onlyEngine = QSet<qint64>(engine).subtract(ours);
        EXPECT_TRUE(onlyOurs.isEmpty() && onlyEngine.isEmpty())
            << "rule " << number << ": " << onlyOurs.size() << " records broken only here (e.g. "
            << (onlyOurs.isEmpty() ? 0 : *onlyOurs.begin()) << "), " << onlyEngine.size()
            << " only in the engine (e.g. " << (onlyEngine.isEmpty() ? 0 : *onlyEngine.begin())
            << ")";
        // Both outcomes occur, or the comparison would prove little.
        EXPECT_GT(engine.size(), 0) << "rule " << number;
        EXPECT_LT(engine.size(), records) << "rule " << number;
    }
}

} // namespace
