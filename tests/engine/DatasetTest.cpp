#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;

namespace {

class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = dir.filePath("d.db");
        db::createDatabase(path);
        connection.open(path);
        connection.executeScript(
            "CREATE TABLE dt_data (c901 REAL, c902 VARCHAR(60), c904 INTEGER, z001 REAL);"
            "INSERT INTO dt_data VALUES (100000000003, '丙', 2, 5);"
            "INSERT INTO dt_data VALUES (100000000001, '甲', 1, 9);"
            "INSERT INTO dt_data VALUES (100000000002, '乙', 3, NULL);"
            "CREATE TABLE fields (id INTEGER PRIMARY KEY, visible INTEGER);"
            "INSERT INTO fields VALUES (1, 0), (2, 1);"
            "CREATE VIEW view_fields AS SELECT id, visible, 'x' AS extra FROM fields;"
            "CREATE TRIGGER view_fields_update INSTEAD OF UPDATE ON view_fields BEGIN "
            "  UPDATE fields SET visible = NEW.visible WHERE id = OLD.id; END;");
    }

    static QStringList column(db::Dataset& ds, const QString& name) {
        QStringList values;
        for (ds.first(); !ds.eof(); ds.next())
            values << ds.field(name).asText();
        return values;
    }

    QTemporaryDir dir;
    db::Connection connection;
};

TEST_F(DatasetTest, MovesThroughTheRowsAndReportsItsEnds) {
    auto ds = connection.query("select * from dt_data order by c901");
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_FALSE(ds.isEmpty());
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.field("c902").asText(), "甲");
    ds.next();
    ds.next();
    EXPECT_FALSE(ds.eof());
    EXPECT_EQ(ds.field("c902").asText(), "丙");
    ds.next();
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.field("c902").asText(), "丙");
    ds.prior();
    EXPECT_EQ(ds.field("c902").asText(), "乙");
    ds.last();
    EXPECT_EQ(ds.position(), 2);
    auto empty = connection.query("select * from dt_data where c904 > ?", {10});
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.bof());
    EXPECT_TRUE(empty.eof());
    EXPECT_EQ(empty.bookmark(), db::kNoBookmark);
    EXPECT_THROW(empty.field("c901"), db::EngineError);
}

TEST_F(DatasetTest, ReadsColumnsAsTheFormsNeedThem) {
    auto ds = connection.query("select * from dt_data where c901 = ?", {100000000002.0});
    EXPECT_EQ(ds.field("c901").asText(), "100000000002");
    EXPECT_EQ(ds.field("c901").asInteger(), 100000000002);
    EXPECT_DOUBLE_EQ(ds.field("C901").asFloat(), 100000000002.0);
    EXPECT_TRUE(ds.field("z001").isNull());
    EXPECT_EQ(ds.field("z001").asInteger(), 0);
    EXPECT_EQ(ds.field("z001").asText(), "");
    EXPECT_EQ(ds.columnCount(), 4);
    EXPECT_EQ(ds.columnNames(), (QStringList{"c901", "c902", "c904", "z001"}));
    EXPECT_EQ(ds.columnType(0), db::ColumnType::Float);
    EXPECT_EQ(ds.columnType(1), db::ColumnType::Text);
    EXPECT_EQ(ds.columnType(2), db::ColumnType::Integer);
    EXPECT_EQ(ds.columnIndex("Z001"), 3);
    EXPECT_EQ(ds.columnIndex("nothing"), -1);
    EXPECT_THROW(ds.field("nothing"), db::EngineError);
}

TEST_F(DatasetTest, ABookmarkSurvivesAClientSideSort) {
    auto ds = connection.query("select * from dt_data order by c901");
    ds.next();
    const db::Bookmark mark = ds.bookmark();
    ds.sort("c902 DESC");
    EXPECT_EQ(ds.field("c902").asText(), "乙"); // still on the same row
    EXPECT_EQ(column(ds, "c902"), (QStringList{"甲", "乙", "丙"}));
    ds.sort("z001 ASC"); // nulls first
    EXPECT_EQ(column(ds, "c901"), (QStringList{"100000000002", "100000000003", "100000000001"}));
    ASSERT_TRUE(ds.moveToBookmark(mark));
    EXPECT_EQ(ds.field("c902").asText(), "乙");
    ds.sort("c904 desc");
    EXPECT_EQ(column(ds, "c904"), (QStringList{"3", "2", "1"}));
    EXPECT_THROW(ds.sort("c904 sideways"), db::EngineError);
    EXPECT_THROW(ds.sort("missing ASC"), db::EngineError);
    ds.sort("");
    EXPECT_EQ(column(ds, "c902"), (QStringList{"甲", "乙", "丙"}));
}

TEST_F(DatasetTest, LocateFindsARowByValue) {
    auto ds = connection.query("select * from dt_data order by c901");
    EXPECT_TRUE(ds.locate("c901", 100000000003.0));
    EXPECT_EQ(ds.field("c902").asText(), "丙");
    EXPECT_FALSE(ds.locate("c901", 5));
    EXPECT_EQ(ds.field("c902").asText(), "丙");
}

TEST_F(DatasetTest, EditsAppendsAndDeletesThroughTheTable) {
    auto ds = connection.openTable("dt_data");
    EXPECT_EQ(ds.columnCount(), 4); // the row key stays hidden
    ASSERT_TRUE(ds.locate("c901", 100000000001.0));
    ds.edit();
    ds.setValue("c902", "甲改");
    ds.setValue("z001", 10);
    EXPECT_EQ(ds.field("c902").asText(), "甲改");
    ds.post();
    EXPECT_EQ(connection.scalar("select c902 from dt_data where c901=100000000001").toString(),
              "甲改");
    ds.edit();
    ds.setValue("c902", "作废");
    ds.cancel();
    EXPECT_EQ(ds.field("c902").asText(), "甲改");

    ds.append();
    ds.setValue("c901", 100000000004.0);
    ds.setValue("c902", "丁");
    ds.post();
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_EQ(ds.field("c902").asText(), "丁");
    ds.edit();
    ds.setValue("c904", 4);
    ds.post();
    EXPECT_EQ(connection.scalar("select c904 from dt_data where c902='丁'").toInt(), 4);

    ASSERT_TRUE(ds.locate("c902", "乙"));
    ds.deleteRow();
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(connection.scalar("select count(*) from dt_data").toInt(), 3);
    EXPECT_EQ(connection.scalar("select count(*) from dt_data where c902='乙'").toInt(), 0);
}

TEST_F(DatasetTest, WritesThroughAViewWithTriggersByKey) {
    auto ds = connection.query("select * from view_fields order by id");
    ds.setWriteTarget("view_fields", "id");
    ds.next();
    ds.edit();
    ds.setValue("visible", 0);
    ds.post();
    EXPECT_EQ(connection.scalar("select visible from fields where id=2").toInt(), 0);
    auto readOnly = connection.query("select * from fields");
    EXPECT_THROW(readOnly.edit(), db::EngineError);
}

TEST_F(DatasetTest, NamedParametersAreBoundAtRequery) {
    db::Dataset ds = connection.prepare(
        "select c902 from dt_data where c904 >= :low and c904 <= :high order by c904");
    EXPECT_FALSE(ds.isOpen());
    ds.setParameter("low", 2);
    EXPECT_THROW(ds.requery(), db::EngineError); // :high has no value yet
    ds.setParameter(":high", 3);
    ds.requery();
    EXPECT_EQ(column(ds, "c902"), (QStringList{"丙", "乙"}));
    ds.setParameter("high", 2);
    ds.requery();
    EXPECT_EQ(column(ds, "c902"), (QStringList{"丙"}));
}

TEST_F(DatasetTest, ARequeryTakesANewSnapshot) {
    auto ds = connection.query("select * from dt_data order by c901");
    connection.execute("insert into dt_data (c901) values (100000000000)");
    EXPECT_EQ(ds.recordCount(), 3);
    ds.requery();
    EXPECT_EQ(ds.recordCount(), 4);
}

} // namespace
