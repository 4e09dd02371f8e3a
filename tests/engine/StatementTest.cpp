#include "schema/Statement.h"

#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/RecordReader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;

namespace {

class StatementTest : public ::testing::Test {
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

TEST_F(StatementTest, RunsOnceForEveryRowWithTheValuesBoundSinceTheLastRun) {
    db::Statement insert(connection,
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

TEST_F(StatementTest, AFailedRunThrowsAndLeavesTheStatementUsable) {
    db::Statement insert(connection, "insert into dt_data (c901) values (?)");
    insert.bindReal(1, 110101000001.0);
    insert.execute();
    EXPECT_THROW(insert.execute(), db::EngineError); // the same code again
    insert.bindReal(1, 110101000002.0);
    EXPECT_EQ(insert.execute(), 1);
    EXPECT_EQ(connection.scalar("select count(*) from dt_data").toInt(), 2);
}

TEST_F(StatementTest, TextThatIsNoStatementIsRefusedWhenPrepared) {
    EXPECT_THROW(db::Statement(connection, "insert into no_such_table values (?)"),
                 db::EngineError);
    EXPECT_THROW(db::Statement(connection, "   "), db::EngineError);
}

TEST_F(StatementTest, NoValueBindsAsNullAndAnEmptyTextAsEmptyText) {
    db::Statement insert(connection, "insert into dt_data (c901, c902, z001) values (?, ?, ?)");
    const QList<QVariantList> rows = {
        {1.0, QVariant(), QVariant()},
        {2.0, QString(), QVariant(QMetaType::fromType<double>())},
        {3.0, QString(""), QVariant(QMetaType::fromType<QString>())},
    };
    for (const QVariantList& row : rows) {
        for (int i = 0; i < row.size(); ++i)
            insert.bind(i + 1, row[i]);
        insert.execute();
    }
    insert.bindReal(1, 4.0);
    insert.bindText(2, QString());
    insert.bindNull(3);
    insert.execute();

    QStringList stored;
    connection.forEachRow(
        "select typeof(c902), typeof(z001) from dt_data order by c901", {},
        [&](const db::Statement& row) { stored << row.text(0) + QLatin1Char('/') + row.text(1); });
    EXPECT_EQ(stored, QStringList({"null/null", "text/null", "text/null", "text/null"}));
    EXPECT_EQ(connection.scalar("select count(*) from dt_data where c902=''").toInt(), 3);
}

TEST_F(StatementTest, BindsByNameWithOrWithoutTheColonAndRefusesAnUnknownName) {
    db::Statement insert(connection, "insert into dt_data (c901, c902) values (:code, :name)");
    EXPECT_EQ(insert.parameterCount(), 2);
    insert.bind(":code", 110101000001.0);
    insert.bind("name", QStringLiteral("甲工会"));
    EXPECT_EQ(insert.execute(), 1);
    EXPECT_THROW(insert.bind("z001", 1), db::EngineError);

    db::Statement select(connection, "select c901, c902, z001 from dt_data");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.doubleValue(0), 110101000001.0);
    EXPECT_EQ(select.text(1), QStringLiteral("甲工会"));
    EXPECT_TRUE(select.isNull(2));
    EXPECT_FALSE(select.step());
}

TEST_F(StatementTest, BindingAllAtOnceNeedsAValueForEveryPlaceholder) {
    db::Statement select(connection, "select count(*) from dt_data where c901>=? and c901<=?");
    EXPECT_THROW(select.bindAll({1.0}), db::EngineError);
    EXPECT_THROW(select.bindAll({1.0, 2.0, 3.0}), db::EngineError);
    select.bindAll({1.0, 2.0});
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.int64(0), 0);
}

TEST_F(StatementTest, ColumnsReadByTypeAndAsStored) {
    connection.executeScript("insert into dt_data (id, c901, c902, z001) "
                             "values (7, 110101000001, ' 12.5 ', 3.25);"
                             "insert into dt_data (id, c901, c902, z001) "
                             "values (8, 110101000002, 'abc', null)");
    db::Statement select(connection, "select id, c901, c902, z001 from dt_data order by id");
    ASSERT_TRUE(select.step());
    EXPECT_EQ(select.value(0), QVariant(qlonglong(7)));
    EXPECT_TRUE(select.isNumber(0));
    EXPECT_EQ(select.stored(0).kind(), db::StoredValue::Kind::Integer);
    EXPECT_EQ(select.stored(0).toInt64(), 7);
    EXPECT_EQ(select.stored(1).kind(), db::StoredValue::Kind::Real);
    EXPECT_EQ(select.stored(1).toDouble(), 110101000001.0);
    EXPECT_EQ(select.stored(2).kind(), db::StoredValue::Kind::Text);
    EXPECT_EQ(select.stored(2).utf8(), QByteArrayView(" 12.5 "));
    EXPECT_EQ(select.stored(2).toNumber(), 12.5); // the blanks around a number are ignored
    EXPECT_EQ(select.stored(3).toNumber(), 3.25);
    ASSERT_TRUE(select.step());
    EXPECT_FALSE(select.isNumber(2));
    EXPECT_EQ(select.stored(2).toNumber(), 0); // a text that is no number
    EXPECT_EQ(select.stored(3).kind(), db::StoredValue::Kind::Null);
    EXPECT_EQ(select.stored(3).toNumber(), 0);
    EXPECT_EQ(select.value(3), QVariant());
    EXPECT_FALSE(select.step());
}

TEST_F(StatementTest, RecordReaderWalksTheChosenRecordsInUnitCodeOrder) {
    connection.executeScript("ALTER TABLE dt_data ADD COLUMN RecordState INTEGER;"
                             "insert into dt_data (c901, c902, z001, RecordState) values "
                             "(300, '丙', 3, 2), (100, '甲', null, 1), (200, '乙', 2.5, null), "
                             "(400, '丁', 4, 1)");
    db::RecordReader reader(connection, {"z001", "c902"}, "c901<=?", {300.0});
    EXPECT_EQ(db::countRecords(connection, "c901<=?", {300.0}), 3);
    QStringList seen;
    while (reader.next()) {
        seen << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(reader.unitCode())
                    .arg(reader.unitName())
                    .arg(reader.recordState() ? QString::number(*reader.recordState())
                                              : QStringLiteral("-"))
                    .arg(reader.column(0).toNumber())
                    .arg(QString::fromUtf8(reader.column(1).utf8()));
    }
    EXPECT_EQ(seen, QStringList({"100 甲 1 0 甲", "200 乙 - 2.5 乙", "300 丙 2 3 丙"}));
}

} // namespace
