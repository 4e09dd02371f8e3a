#include "CsvReader.h"

#include "schema/EngineError.h"

#include <gtest/gtest.h>

using namespace kestrune;

TEST(CsvReaderTest, QuotedFieldsNullsAndEmptyTexts) {
    const auto t = data::parseCsv("ID,Name,Rule\r\n"
                                  "1,\"省级, 地方\",\n"
                                  "2,\"说 \"\"是\"\"\",\"\"\n"
                                  "3,\"两\n行\",\"in [1,2]\"\n",
                                  "t.csv");
    ASSERT_EQ(t.columns, (QStringList{"ID", "Name", "Rule"}));
    ASSERT_EQ(t.rows.size(), 3);
    EXPECT_EQ(t.rows[0][1].toString(), "省级, 地方");
    EXPECT_TRUE(t.rows[0][2].isNull());
    EXPECT_EQ(t.rows[1][1].toString(), "说 \"是\"");
    EXPECT_FALSE(t.rows[1][2].isNull());
    EXPECT_EQ(t.rows[1][2].toString(), "");
    EXPECT_EQ(t.rows[2][1].toString(), "两\n行");
    EXPECT_EQ(t.rows[2][2].toString(), "in [1,2]");
}

TEST(CsvReaderTest, MalformedInputNamesTheLine) {
    try {
        data::parseCsv("a,b\n1,2\n3\n", "bad.csv");
        FAIL();
    } catch (const db::EngineError& e) {
        EXPECT_EQ(e.text(), "bad.csv:3: 有 1 个字段，应为 2 个");
    }
    EXPECT_THROW(data::parseCsv("a\n\"open\n", "q.csv"), db::EngineError);
    EXPECT_THROW(data::parseCsv("a\n\"x\"y\n", "q.csv"), db::EngineError);
    EXPECT_EQ(data::parseCsv("a,b\n1,2", "t.csv").rows.size(), 1); // no final line end
}
