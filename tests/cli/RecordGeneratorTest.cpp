#include "RecordGenerator.h"

#include "entry/LevelRule.h"
#include "schema/Connection.h"
#include "support/StartedSession.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace kestrune;
using kestrune::cli::generateRecords;
using kestrune::testing::StartedSession;
using kestrune::testing::StartedSessionTest;

namespace {

struct CatalogueField {
    QString name;
    int kind; // QueryType
    QString rule;
};

// The survey fields as the installed catalogue describes them.
std::vector<CatalogueField> surveyFields(db::Connection& db) {
    std::vector<CatalogueField> fields;
    auto rows = db.query("select FieldName, QueryType, Rule from dt_fieldlist where PageID >= 1 "
                         "order by sequence");
    for (rows.first(); !rows.eof(); rows.next())
        fields.push_back({rows.field("FieldName").asText(),
                          int(rows.field("QueryType").asInteger()), rows.field("Rule").asText()});
    return fields;
}

class RecordGeneratorTest : public StartedSessionTest {
protected:
    db::Connection& db() { return connection(); }
    qint64 count(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toLongLong();
    }

    // The codes of the records that break a page rule, per rule; records that
    // report their cover only are not checked, as in the program.
    std::map<qint64, int> brokenRuleCounts() {
        std::map<qint64, int> broken;
        auto rules = db().query("select expression from dt_logic");
        for (rules.first(); !rules.eof(); rules.next()) {
            auto breakers = db().query("select c901 from dt_data where c907 <= 2 and (" +
                                       rules.field("expression").asText() + ")");
            for (breakers.first(); !breakers.eof(); breakers.next())
                ++broken[std::llround(breakers.field("c901").asFloat())];
        }
        return broken;
    }
};

TEST_F(RecordGeneratorTest, AddsTheRecordsWithFreshTwelveDigitUnitCodes) {
    const auto added = generateRecords(db(), 500, 11);
    ASSERT_EQ(added.unitCodes.size(), 500u);
    EXPECT_EQ(count("select count(*) from dt_data"), 500);
    EXPECT_EQ(count("select count(distinct c901) from dt_data"), 500);
    EXPECT_EQ(count("select count(*) from dt_data where c901 <= 100000000000 "
                    "or c901 >= 1000000000000 or c901 <> cast(c901 as integer)"),
              0);
    auto rows = db().query("select id, c901 from dt_data order by id");
    for (size_t i = 0; i < added.unitCodes.size(); ++i, rows.next()) {
        EXPECT_EQ(rows.field("id").asInteger(), qint64(i + 1));
        EXPECT_EQ(std::llround(rows.field("c901").asFloat()), added.unitCodes[i]);
    }
}

TEST_F(RecordGeneratorTest, ASecondRunWithTheSameSeedAddsMoreWithoutClashes) {
    const auto first = generateRecords(db(), 300, 5);
    const auto second = generateRecords(db(), 300, 5);
    EXPECT_EQ(count("select count(*) from dt_data"), 600);
    EXPECT_EQ(count("select count(distinct c901) from dt_data"), 600);
    const QSet<qint64> firstCodes(first.unitCodes.begin(), first.unitCodes.end());
    for (qint64 code : second.unitCodes)
        EXPECT_FALSE(firstCodes.contains(code)) << code;
    EXPECT_EQ(count("select count(distinct id) from dt_data"), 600);
    EXPECT_EQ(count("select max(id) from dt_data"), 600);
}

TEST_F(RecordGeneratorTest, CoverCodesComeFromTheCodeTablesInASensibleMix) {
    generateRecords(db(), 1000, 12);
    EXPECT_EQ(count("select count(*) from dt_data where c903 not in "
                    "(select ID from CT_CityName where Code2 <> 0)"),
              0);
    EXPECT_EQ(count("select count(*) from dt_data where c904 not in "
                    "(select ID from CT_LevelCode where ID <> 0)"),
              0);
    EXPECT_EQ(count("select count(*) from dt_data where c907 not in "
                    "(select ID from ct_state where ID <> 0)"),
              0);
    EXPECT_EQ(count("select count(distinct c904) from dt_data"), 11);
    const qint64 provincial = count("select count(*) from dt_data where c904 = 1");
    EXPECT_GT(provincial, 0);
    EXPECT_GT(count("select count(*) from dt_data where c904 in (3, 4, 5)"), 20 * provincial);
    const qint64 reporting = count("select count(*) from dt_data where c907 in (1, 2)");
    EXPECT_GE(reporting, 930);
    EXPECT_LT(reporting, 1000);
    EXPECT_EQ(count("select count(distinct RecordState) from dt_data"), 3);
    EXPECT_GE(count("select count(*) from dt_data where RecordState = 1"), 850);
}

TEST_F(RecordGeneratorTest, NamesFillersAndPhonesPassTheCoverChecks) {
    generateRecords(db(), 1000, 16);
    // Local unions are named after their region, as the region table spells it.
    EXPECT_EQ(count("select count(*) from dt_data where c904 in (2, 3) and c902 <> "
                    "(select CombName from CT_CityName where ID = c903) || '总工会'"),
              0);
    EXPECT_EQ(count("select count(*) from dt_data where c904 = 1 and c902 <> "
                    "(select Name from CT_CityName where ID = c903 / 10000 * 10000) || '总工会'"),
              0);
    const QRegularExpression chineseName("^\\p{Han}{2,3}$");
    const QRegularExpression phone("^(\\d{7,8}|\\d{11,12}|[\\d-]{11,13})$");
    auto rows = db().query("select c902, c905, c906 from dt_data");
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString name = rows.field("c902").asText();
        EXPECT_TRUE(name.contains("工会")) << name.toStdString();
        EXPECT_LE(name.size(), 60);
        EXPECT_FALSE(name.contains('\'') || name.contains('"') || name.contains('`'));
        EXPECT_TRUE(chineseName.match(rows.field("c905").asText()).hasMatch())
            << rows.field("c905").asText().toStdString();
        const QString number = rows.field("c906").asText();
        EXPECT_TRUE(phone.match(number).hasMatch()) << number.toStdString();
        EXPECT_LE(number.count('-'), 1);
    }
}

TEST_F(RecordGeneratorTest, CoverOnlyRecordsHaveEveryIndicatorZeroAndAreSaved) {
    generateRecords(db(), 1000, 13);
    ASSERT_GT(count("select count(*) from dt_data where c907 >= 3"), 0);
    QStringList anyAnswer;
    for (const CatalogueField& field : surveyFields(db()))
        anyAnswer << field.name + " <> 0";
    ASSERT_EQ(anyAnswer.size(), 198);
    EXPECT_EQ(
        count("select count(*) from dt_data where c907 >= 3 and (" + anyAnswer.join(" or ") + ")"),
        0);
    EXPECT_EQ(count("select count(*) from dt_data where c907 >= 3 and RecordState <> 1"), 0);
}

TEST_F(RecordGeneratorTest, AnswersFitTheFieldKindsAndTheLevelsThatMayFillThem) {
    generateRecords(db(), 1000, 14);
    for (const CatalogueField& field : surveyFields(db())) {
        SCOPED_TRACE(field.name.toStdString());
        const QString f = field.name;
        const QString fractional = f + " <> cast(" + f + " as integer)";
        EXPECT_EQ(count("select count(*) from dt_data where " + f + " is null or " + f + " < 0"),
                  0);
        if (field.kind == 0) {
            EXPECT_EQ(count("select count(*) from dt_data where " + fractional), 0);
        }
        // Decimal amounts are not all whole: some keep their fen.
        if (field.kind == 2) {
            EXPECT_GT(count("select count(*) from dt_data where " + fractional), 0);
        }
        QVariantList allowed;
        for (int level = 1; level <= 11; ++level) {
            if (entry::LevelRuleHolds(level, field.rule))
                allowed << level;
        }
        const QString levels = QStringList(allowed.size(), "?").join(", ");
        EXPECT_EQ(count("select count(*) from dt_data where c904 not in (" + levels + ") and " + f +
                            " <> 0",
                        allowed),
                  0);
        // A yes/no question is answered by every union that reports and may fill it.
        if (field.kind == 3) {
            EXPECT_EQ(count("select count(*) from dt_data where c907 <= 2 and c904 in (" + levels +
                                ") and " + f + " not in (1, 2)",
                            allowed),
                      0);
        }
    }
}

TEST_F(RecordGeneratorTest, MostRecordsBreakNoPageRuleAndRecordStateSaysWhichDo) {
    generateRecords(db(), 2000, 15);
    const std::map<qint64, int> broken = brokenRuleCounts();
    const qint64 all = count("select count(*) from dt_data");
    const qint64 reporting = count("select count(*) from dt_data where c907 <= 2");
    const qint64 clean = reporting - qint64(broken.size());
    EXPECT_GE(clean, reporting * 90 / 100);
    EXPECT_GE(clean, all * 85 / 100);
    EXPECT_GT(broken.size(), 0u);
    for (const auto& [code, rules] : broken)
        EXPECT_LE(rules, 10) << code; // a few, not a wreck

    // Saved records carry the verdict of their rules; temporarily saved ones may be either.
    auto rows = db().query("select c901, RecordState from dt_data where c907 <= 2");
    for (rows.first(); !rows.eof(); rows.next()) {
        const qint64 code = std::llround(rows.field("c901").asFloat());
        const qint64 state = rows.field("RecordState").asInteger();
        if (state == 1)
            EXPECT_FALSE(broken.count(code)) << code;
        else if (state == 2)
            EXPECT_TRUE(broken.count(code)) << code;
        else
            EXPECT_EQ(state, 0);
    }
}

// Every row in id order, every column.
std::vector<QVariantList> recordsMadeWith(quint64 seed) {
    StartedSession started;
    generateRecords(started.connection(), 200, seed);
    std::vector<QVariantList> records;
    auto rows = started.connection().query("select * from dt_data order by id");
    for (rows.first(); !rows.eof(); rows.next()) {
        QVariantList values;
        for (int column = 0; column < rows.columnCount(); ++column)
            values << rows.value(column);
        records.push_back(values);
    }
    return records;
}

TEST(RecordGeneratorSeedTest, TheSameSeedOnTheSameDatabaseGivesTheSameRecords) {
    const auto first = recordsMadeWith(21);
    ASSERT_EQ(first.size(), 200u);
    EXPECT_EQ(first, recordsMadeWith(21));
    EXPECT_NE(first, recordsMadeWith(22));
}

} // namespace
