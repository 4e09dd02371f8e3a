#include "schema/Connection.h"

#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/SqlText.h"
#include "schema/Transaction.h"
#include "support/TestEnvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::readFile;
using kestrune::testing::writeFile;

namespace {

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath("survey.db");
        db::createDatabase(path);
        connection.open(path);
        connection.executeScript(
            "CREATE TABLE DT_FieldList (ID INTEGER, FieldName TEXT);"
            "CREATE TABLE dt_data (id INTEGER, c901 REAL NOT NULL, c902 TEXT, z001 REAL);"
            "CREATE UNIQUE INDEX dt_data_c901 ON dt_data (c901);");
    }

    QStringList codes(db::Connection& c, const QString& table = "dt_data") {
        QStringList result;
        auto rows = c.query("select c901 from " + table + " order by c901");
        for (rows.first(); !rows.eof(); rows.next())
            result << rows.field("c901").asText();
        return result;
    }

    QTemporaryDir dir;
    QString path;
    db::Connection connection;
};

TEST_F(ConnectionTest, NamesOfTablesAndColumnsMatchWithoutRegardToCase) {
    EXPECT_TRUE(connection.hasTable("dt_fieldlist"));
    EXPECT_TRUE(connection.hasTable("DT_FIELDLIST"));
    EXPECT_TRUE(connection.hasTable("DT_Data"));
    EXPECT_FALSE(connection.hasTable("dt_logic"));
    connection.execute("insert into dt_fieldlist (id, fieldname) values (?, ?)", {1, "c901"});
    auto rows = connection.query("select * from DT_FieldList");
    EXPECT_EQ(rows.field("FIELDNAME").asText(), "c901");
    EXPECT_EQ(rows.field("fieldName").asText(), "c901");
    EXPECT_EQ(rows.field("Id").asInteger(), 1);
}

TEST_F(ConnectionTest, ASecondRowWithAnExistingUnitCodeIsRefused) {
    connection.execute("insert into dt_data (c901) values (?)", {100000000001.0});
    EXPECT_THROW(connection.execute("insert into dt_data (c901) values (?)", {100000000001.0}),
                 db::EngineError);
    // An integer of the same value is the same code.
    EXPECT_THROW(
        connection.execute("insert into dt_data (c901) values (?)", {qint64(100000000001)}),
        db::EngineError);
    EXPECT_EQ(codes(connection), QStringList{"100000000001"});
}

TEST_F(ConnectionTest, IntRoundsDownAsJetDoes) {
    auto v = [&](const QString& expr) {
        return connection.scalar("select " + expr);
    };
    EXPECT_EQ(v("int(2.7)").toLongLong(), 2);
    EXPECT_EQ(v("int(-1.5)").toLongLong(), -2);
    EXPECT_EQ(v("int(7/2)").toLongLong(), 3);
    EXPECT_EQ(v("int(7.0/2)").toLongLong(), 3);
    EXPECT_EQ(v("int(5)").toLongLong(), 5);
    EXPECT_TRUE(v("int(null)").isNull());
    EXPECT_EQ(connection.scalar("select int(?)", {3.99}).toLongLong(), 3);
}

TEST_F(ConnectionTest, AFailingStatementInATransactionRollsEverythingBack) {
    connection.execute("insert into dt_data (c901) values (100000000001)");
    try {
        db::Transaction transaction(connection);
        connection.execute("insert into dt_data (c901) values (100000000002)");
        connection.execute("update dt_data set c902 = ? where c901 = 100000000001", {"改过"});
        connection.execute("insert into dt_data (c901) values (100000000001)");
        transaction.commit();
        FAIL() << "the duplicate code was accepted";
    } catch (const db::EngineError&) {
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(codes(connection), QStringList{"100000000001"});
    EXPECT_TRUE(connection.scalar("select c902 from dt_data").isNull());
}

TEST_F(ConnectionTest, ValuesTravelAsParametersNeverAsText) {
    const QString hostile = "x'); drop table dt_data; --";
    connection.execute("insert into dt_data (c901, c902) values (?, ?)", {100000000003.0, hostile});
    EXPECT_EQ(connection.scalar("select c902 from dt_data where c902 like ?", {"x'%"}).toString(),
              hostile);
    EXPECT_TRUE(connection.hasTable("dt_data"));
    EXPECT_THROW(connection.execute("select ?", {}), db::EngineError);
    EXPECT_THROW(connection.execute("select ?", {1, 2}), db::EngineError);
}

TEST_F(ConnectionTest, RowsAreCopiedBetweenTwoFilesThroughAttach) {
    connection.execute("insert into dt_data (c901, c902, z001) values (100000000001, '甲', 5)");
    connection.execute("insert into dt_data (c901, c902, z001) values (100000000002, '乙', 7)");
    const QString other = dir.filePath("other.db");
    db::createDatabase(other);
    {
        db::Connection target;
        target.open(other);
        target.executeScript("CREATE TABLE dt_data (id INTEGER, c901 REAL, c902 TEXT, z001 REAL)");
    }
    connection.attach(other, "target");
    connection.execute("insert into target.dt_data select * from dt_data where z001 > ?", {6});
    connection.detach("target");
    db::Connection target;
    target.open(other);
    EXPECT_EQ(codes(target), QStringList{"100000000002"});
    EXPECT_EQ(target.scalar("select c902 from dt_data").toString(), "乙");
    EXPECT_THROW(connection.attach(dir.filePath("missing.db"), "gone"), db::EngineError);
    EXPECT_THROW(connection.attach(other, "bad name"), db::EngineError);
}

TEST_F(ConnectionTest, OpeningRefusesAFileThatIsNotADatabase) {
    const QString text = dir.filePath("notes.mdb");
    writeFile(text, QByteArray(4096, 'x'));
    db::Connection c;
    EXPECT_THROW(c.open(text), db::EngineError);
    EXPECT_FALSE(c.isOpen());
    EXPECT_THROW(c.open(dir.filePath("missing.mdb")), db::EngineError);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.mdb")));
}

TEST_F(ConnectionTest, AnImageIsUsedWhereItLiesAndWhoSharesItNeverSeesItChange) {
    connection.execute("insert into dt_data (c901, c902) values (100000000001, '甲')");
    connection.close();
    QByteArray image = readFile(path);
    const QByteArray original = image;
    const QByteArray pristine(image.constData(), image.size()); // a copy of its own
    db::Connection file;
    file.openImageReadOnly(image);
    image = QByteArray(); // the connection holds the bytes on its own
    EXPECT_EQ(file.scalar("select c902 from dt_data").toString(), "甲");
    EXPECT_THROW(file.execute("delete from dt_data"), db::EngineError);
    EXPECT_EQ(codes(file), QStringList{"100000000001"});

    // Bytes taken over are worked in where they lie, yet whoever still
    // shares them never sees them change.
    connection.open(path);
    connection.execute("delete from dt_data");
    QByteArray shared = original;
    connection.attachImage(std::move(shared), "source");
    connection.begin();
    EXPECT_EQ(connection.execute("insert into main.dt_data select * from source.dt_data"), 1);
    EXPECT_EQ(connection.execute("delete from source.dt_data"), 1);
    connection.commit();
    connection.detach("source");
    EXPECT_EQ(codes(connection), QStringList{"100000000001"});
    EXPECT_EQ(original, pristine) << "the engine never writes into bytes someone shares";

    // No bytes are no database, not a new empty one.
    EXPECT_THROW(file.openImageReadOnly(QByteArray()), db::EngineError);
    EXPECT_THROW(connection.attachImage(QByteArray(4096, 'x'), "junk"), db::EngineError);
    connection.attachImage(QByteArray(original), "junk"); // the failed attachment was undone
    connection.detach("junk");
}

TEST_F(ConnectionTest, CompactionWritesAnEquivalentCopyAndLeavesTheSource) {
    for (int i = 1; i <= 50; ++i)
        connection.execute("insert into dt_data (c901, c902) values (?, ?)",
                           {100000000000.0 + i, QString(200, QChar(u'字'))});
    connection.execute("delete from dt_data where c901 > 100000000010");
    connection.close();
    const QByteArray before = readFile(path);
    const QString copy = dir.filePath("~SM1.tmp");
    db::compactDatabase(path, copy);
    EXPECT_EQ(readFile(path), before);
    EXPECT_LT(readFile(copy).size(), before.size());
    db::Connection compacted;
    compacted.open(copy);
    EXPECT_EQ(codes(compacted).size(), 10);
    EXPECT_THROW(db::compactDatabase(path, copy), db::EngineError);
}

TEST(SqlTextTest, UnitCodeBoundsCarryTwoDecimals) {
    EXPECT_EQ(db::formatUnitCode(100000000000.0), "100000000000.00");
    EXPECT_EQ(db::formatUnitCode(999999999999.0), "999999999999.00");
    EXPECT_EQ(db::quoteName("a]b"), "[a]]b]");
}

} // namespace
