#include "schema/PreparedStatement.h"

#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;

namespace {

class PreparedStatementTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = dir.filePath("survey.db");
        db::createDatabase(path);
        connection.open(path);
        connection.executeScript("CREATE TABLE dt_data (id INTEGER, c901 REAL NOT NULL, "
                                 "c902 TEXT, z001 REAL);"
                                 "CREATE UNIQUE INDEX dt_data_c901 ON dt_data (c901);");
    }

    QTemporaryDir dir;
    db::Connection connection;
};

TEST_F(PreparedStatementTest, RunsOnceForEveryRowWithTheValuesBoundSinceTheLastRun) {
    db::PreparedStatement insert(connection,
                                 "insert into dt_data (id, c901, c902, z001) values (?, ?, ?, ?)");
    EXPECT_EQ(insert.parameterCount(), 4);
    insert.bindInteger(1, 1);
    insert.bindReal(2, 110101000001.0);
    insert.bindText(3, "北京市东城区总工会");
    insert.bindReal(4, 2.5);
    EXPECT_EQ(insert.execute(), 1);
    // Only the id, the code and z001 change; the name stays bound.
    insert.bindInteger(1, 2);
    insert.bindReal(2, 110101000002.0);
    insert.bindNull(4);
    EXPECT_EQ(insert.execute(), 1);

    auto rows = connection.query("select id, c901, c902, z001 from dt_data order by id");
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value("id").toLongLong(), 1);
    EXPECT_EQ(rows.value("c901").toDouble(), 110101000001.0);
    EXPECT_EQ(rows.value("c902").toString(), "北京市东城区总工会");
    EXPECT_EQ(rows.value("z001").toDouble(), 2.5);
    rows.next();
    EXPECT_EQ(rows.value("id").toLongLong(), 2);
    EXPECT_EQ(rows.value("c901").toDouble(), 110101000002.0);
    EXPECT_EQ(rows.value("c902").toString(), "北京市东城区总工会");
    EXPECT_TRUE(rows.value("z001").isNull());
}

TEST_F(PreparedStatementTest, AFailedRunThrowsAndLeavesTheStatementUsable) {
    db::PreparedStatement insert(connection, "insert into dt_data (c901) values (?)");
    insert.bindReal(1, 110101000001.0);
    insert.execute();
    EXPECT_THROW(insert.execute(), db::EngineError); // the same code again
    insert.bindReal(1, 110101000002.0);
    EXPECT_EQ(insert.execute(), 1);
    EXPECT_EQ(connection.scalar("select count(*) from dt_data").toInt(), 2);
}

TEST_F(PreparedStatementTest, TextThatIsNoStatementIsRefusedWhenPrepared) {
    EXPECT_THROW(db::PreparedStatement(connection, "insert into no_such_table values (?)"),
                 db::EngineError);
    EXPECT_THROW(db::PreparedStatement(connection, "   "), db::EngineError);
}

} // namespace
