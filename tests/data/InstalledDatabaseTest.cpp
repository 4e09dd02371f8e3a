#include "entry/LevelRule.h"
#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/EngineError.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace kestrune;
using kestrune::testing::builtProgramFile;

namespace {

struct Page {
    int id;
    QStringList fields;
};

QStringList fieldRange(QChar prefix, int from, int to) {
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << prefix + QString::number(i).rightJustified(3, '0');
    return names;
}

// The entry pages and the indicators that stand on them.
const std::vector<Page>& pages() {
    static const std::vector<Page> all = {
        {1, fieldRange('z', 1, 11)},
        {2, fieldRange('x', 1, 18)},
        {3, fieldRange('b', 1, 27)},
        {4, fieldRange('b', 28, 35)},
        {5, fieldRange('f', 1, 18)},
        {6, fieldRange('l', 1, 7)},
        {7, fieldRange('j', 1, 19)},
        {8, fieldRange('s', 1, 21)},
        {9, fieldRange('w', 1, 5) + fieldRange('e', 1, 4)},
        {10, fieldRange('n', 1, 3) + fieldRange('g', 1, 4)},
        {11, fieldRange('d', 1, 23)},
        {12, fieldRange('d', 24, 41)},
        {13, fieldRange('y', 1, 12)},
    };
    return all;
}

QStringList allIndicators() {
    QStringList names;
    for (const Page& p : pages())
        names += p.fields;
    return names;
}

const QStringList kCoverFields = {"c901", "c902", "c903", "c904", "c905", "c906", "c907"};

class InstalledDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        connection = new db::Connection;
        connection->openProtected(builtProgramFile("2020NB_jg_20200831.mdb"),
                                  db::databasePassword());
    }
    static void TearDownTestSuite() {
        delete connection;
        connection = nullptr;
    }

    static QStringList columnsOf(const QString& table) {
        return connection->query("select * from " + table + " where 0").columnNames();
    }

    static db::Connection* connection;
};

db::Connection* InstalledDatabaseTest::connection = nullptr;

TEST_F(InstalledDatabaseTest, RecordTablesHoldTheCoverAndExactlyTheSurveyIndicators) {
    const QStringList expected = QStringList{"id"} +
                                 QStringList(kCoverFields.begin(), kCoverFields.begin() + 7) +
                                 QStringList{"RecordState"} + allIndicators();
    EXPECT_EQ(allIndicators().size(), 198);
    for (const QString table : {"dt_data", "dt_data_dt_data"}) {
        QStringList columns = columnsOf(table);
        EXPECT_EQ(QSet<QString>(columns.begin(), columns.end()),
                  QSet<QString>(expected.begin(), expected.end()))
            << table.toStdString();
        EXPECT_EQ(columns.size(), 207) << table.toStdString();
    }
    auto types = connection->query("select name, type from pragma_table_info('dt_data')");
    for (types.first(); !types.eof(); types.next()) {
        const QString name = types.field("name").asText();
        if (allIndicators().contains(name) || name == "c901") {
            EXPECT_EQ(types.field("type").asText(), "REAL") << name.toStdString();
        }
    }
    EXPECT_EQ(connection->scalar("select count(*) from dt_data").toInt(), 0);
    EXPECT_EQ(connection->scalar("select db_name from ct_label").toString(), "默认数据库");
    EXPECT_EQ(connection->scalar("select count(*) from ct_label").toInt(), 1);
    EXPECT_EQ(connection->scalar("select count(*) from ct_group").toInt(), 0);
    EXPECT_EQ(connection->scalar("select count(*) from DT_GroupItem").toInt(), 0);
}

TEST_F(InstalledDatabaseTest, NamedIndexesExist) {
    auto indexes =
        connection->query("select name, tbl_name from sqlite_master where type='index' and name in "
                          "('sequence','Code1','dt_data_c901') order by name");
    ASSERT_EQ(indexes.recordCount(), 3);
    EXPECT_EQ(indexes.field("tbl_name").asText(), "CT_CityName");
    indexes.next();
    EXPECT_EQ(indexes.field("tbl_name").asText(), "dt_data");
    indexes.next();
    EXPECT_EQ(indexes.field("tbl_name").asText(), "dt_fieldlist");
    EXPECT_EQ(connection
                  ->scalar("select \"unique\" from pragma_index_list('dt_data') "
                           "where name='dt_data_c901'")
                  .toInt(),
              1);
}

TEST_F(InstalledDatabaseTest, TheCatalogueDescribesEveryFieldOnItsPage) {
    const QSet<QString> yesNo = {"z005", "z008", "x004", "x005", "x006", "x007", "b025", "b034",
                                 "f003", "f007", "f008", "f015", "l001", "s001", "s002", "s003",
                                 "s004", "s005", "s006", "s007", "s018", "s019", "s020", "d028"};
    const QSet<QString> decimal = {"b012", "b014", "b023", "b024", "s021", "e003", "y001",
                                   "y002", "y004", "y005", "y006", "y007", "y010"};
    std::map<QString, int> pageOf;
    for (const Page& p : pages())
        for (const QString& f : p.fields)
            pageOf[f] = p.id;

    auto rows = connection->query("select * from DT_FieldList order by sequence");
    EXPECT_EQ(rows.recordCount(), 206);
    std::set<QString> seen;
    std::set<qint64> sequences;
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString name = rows.field("FieldName").asText();
        const int page = int(rows.field("PageID").asInteger());
        const qint64 sequence = rows.field("sequence").asInteger();
        const int kind = int(rows.field("QueryType").asInteger());
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(seen.insert(name).second);
        EXPECT_TRUE(sequences.insert(sequence).second);
        EXPECT_FALSE(rows.field("Hint").asText().isEmpty());
        EXPECT_FALSE(rows.field("ShowName").asText().isEmpty());
        if (kCoverFields.contains(name)) {
            EXPECT_EQ(page, 0);
            EXPECT_GE(sequence, 1);
            EXPECT_LE(sequence, 7);
            EXPECT_EQ(kind, QStringList({"c902", "c905", "c906"}).contains(name) ? 1 : 0);
            continue;
        }
        if (name == "RecordState") {
            EXPECT_GE(sequence, 1000);
            continue;
        }
        ASSERT_TRUE(pageOf.count(name)) << "not a survey field";
        EXPECT_EQ(page, pageOf[name]);
        EXPECT_GE(rows.field("ID").asInteger(), 7);
        EXPECT_EQ(kind, yesNo.contains(name) ? 3 : decimal.contains(name) ? 2 : 0);
        EXPECT_EQ(rows.field("FieldType").asText(), kind == 3   ? "是否"
                                                    : kind == 2 ? "小数"
                                                                : "整数");
        // Amounts in 万元 carry fractions.
        if (rows.field("Hint").asText().endsWith("(万元)")) {
            EXPECT_EQ(kind, 2);
        }
        if (yesNo.contains(name)) {
            EXPECT_TRUE(rows.field("Hint").asText().endsWith("(1=是；2=否)"));
        }
        if (page == 11) {
            EXPECT_GE(sequence, 8);
            EXPECT_LE(sequence, 300);
        } else if (page == 12) {
            EXPECT_GE(sequence, 301);
            EXPECT_LE(sequence, 999);
        } else {
            EXPECT_GE(sequence, 8);
            EXPECT_LE(sequence, 999);
        }
    }
    EXPECT_EQ(seen.size(), 206u);
    // The list shows the cover's key columns and the record state by default.
    auto visible =
        connection->query("select FieldName from dt_fieldlist where Visible<>0 order by sequence");
    QStringList shown;
    for (; !visible.eof(); visible.next())
        shown << visible.field("FieldName").asText();
    EXPECT_EQ(shown, (QStringList{"c901", "c902", "c903", "c904", "c907", "RecordState"}));
}

// List titles, the indicator query and the rule explanations show a caption
// without its page, so no two fields may share one.
TEST_F(InstalledDatabaseTest, EveryFieldHasACaptionOfItsOwn) {
    auto shared =
        connection->query("select Hint, group_concat(FieldName, ' ') as Fields from dt_fieldlist "
                          "group by Hint having count(*) > 1");
    for (; !shared.eof(); shared.next())
        ADD_FAILURE() << shared.field("Hint").asText().toStdString() << " is shared by "
                      << shared.field("Fields").asText().toStdString();

    // The parts that used to read alike say whose part they count.
    const std::map<QString, QString> expected = {
        {"z002", "专职工会干部中：女性(人)"},
        {"z004", "兼职工会干部中：女性(人)"},
        {"x002", "领导班子成员中：女性(人)"},
        {"x014", "本级工会培训中：基层工会主席(人次)"},
        {"x016", "上级工会培训中：基层工会主席(人次)"},
        {"s009", "经审专职人员中：具有审计或财会专业资格(人)"},
        {"s011", "经审兼职人员中：具有审计或财会专业资格(人)"},
        {"d009", "内设部门领导职数中：实际配备(人)"},
        {"d011", "非领导职务职数中：实际配备(人)"},
        {"d013", "机关实有人员中：女性(人)"},
    };
    std::map<QString, QString> found;
    auto rows = connection->query(
        "select FieldName, Hint from dt_fieldlist where FieldName in "
        "('z002', 'z004', 'x002', 'x014', 'x016', 's009', 's011', 'd009', 'd011', 'd013')");
    for (; !rows.eof(); rows.next())
        found[rows.field("FieldName").asText()] = rows.field("Hint").asText();
    EXPECT_EQ(found, expected);
}

TEST_F(InstalledDatabaseTest, EveryLevelRuleParsesAndNamesExistingLevels) {
    std::set<int> levels;
    auto codes = connection->query("select ID from CT_LevelCode");
    for (; !codes.eof(); codes.next())
        levels.insert(int(codes.field("ID").asInteger()));
    for (int local : {1, 2, 3})
        EXPECT_TRUE(levels.count(local));
    EXPECT_EQ(connection->scalar("select Name from CT_LevelCode where ID=1").toString(),
              "省级地方工会");
    EXPECT_EQ(connection->scalar("select Name from CT_LevelCode where ID=3").toString(),
              "县级地方工会");

    auto rules = connection->query("select FieldName, Rule from dt_fieldlist");
    int restricted = 0;
    for (; !rules.eof(); rules.next()) {
        const QString text = rules.field("Rule").asText();
        SCOPED_TRACE(rules.field("FieldName").asText().toStdString() + " " + text.toStdString());
        const entry::LevelRule rule = entry::ParseLevelRule(text);
        if (rule.kind == entry::LevelRule::Kind::Always)
            continue;
        ++restricted;
        if (rule.kind == entry::LevelRule::Kind::InList) {
            EXPECT_FALSE(rule.codes.empty());
            EXPECT_EQ(rule.ignoredItems, 0);
            for (int code : rule.codes)
                EXPECT_TRUE(levels.count(code)) << code;
        } else {
            EXPECT_EQ(rule.kind, entry::LevelRule::Kind::Compare);
        }
    }
    EXPECT_GT(restricted, 0);
    // Whole pages are for the local unions at and above county level.
    for (const QString field : {"d001", "d041", "y001", "e001"}) {
        const QString rule =
            connection->scalar("select Rule from dt_fieldlist where FieldName=?", {field})
                .toString();
        EXPECT_TRUE(entry::LevelRuleHolds(3, rule)) << field.toStdString();
        EXPECT_FALSE(entry::LevelRuleHolds(4, rule)) << field.toStdString();
    }
}

TEST_F(InstalledDatabaseTest, EveryPageRuleRunsOnAZeroRecordAndOnTheEdgeCase) {
    static const QRegularExpression fieldName("\\b([a-z]\\d{3})\\b");
    const QStringList indicators = allIndicators() + QStringList{"c904"};
    auto rules = connection->query("select * from dt_logic");
    EXPECT_GT(rules.recordCount(), 0);
    for (; !rules.eof(); rules.next()) {
        const QString expression = rules.field("expression").asText();
        const int page = int(rules.field("page_id").asInteger());
        SCOPED_TRACE(expression.toStdString());
        EXPECT_GE(page, 1);
        EXPECT_LE(page, 13);
        const QString focus = rules.field("focus").asText();
        ASSERT_GE(page, 1);
        ASSERT_LE(page, 13);
        EXPECT_TRUE(pages()[size_t(page - 1)].fields.contains(focus)) << focus.toStdString();
        EXPECT_FALSE(rules.field("rule").asText().isEmpty());
        EXPECT_FALSE(rules.field("explain").asText().isEmpty());
        for (const std::map<QString, int>& record :
             {std::map<QString, int>{}, std::map<QString, int>{{"c904", 4}, {"z001", 1}}}) {
            // The field names are put in as values, the way the entry dialog runs them.
            QString text = expression;
            auto matches = fieldName.globalMatch(expression);
            while (matches.hasNext()) {
                const QString name = matches.next().captured(1);
                EXPECT_TRUE(indicators.contains(name)) << name.toStdString();
            }
            for (const QString& name : indicators) {
                const auto it = record.find(name);
                text.replace(QRegularExpression("\\b" + name + "\\b"),
                             QString::number(it == record.end() ? 0 : it->second));
            }
            EXPECT_NO_THROW(connection->scalar("select " + text + " as rt"));
        }
    }
    // The edge-case record breaks nothing.
    int broken = 0;
    rules.first();
    for (; !rules.eof(); rules.next()) {
        QString text = rules.field("expression").asText();
        text.replace(QRegularExpression("\\bc904\\b"), "4");
        text.replace(QRegularExpression("\\bz001\\b"), "1");
        text.replace(fieldName, "0");
        broken += connection->scalar("select " + text).toInt() != 0;
    }
    EXPECT_EQ(broken, 0);
}

TEST_F(InstalledDatabaseTest, PrintCellsAreAddressesOnExistingPagesAndNeverShared) {
    static const QRegularExpression address("^[A-Z]{1,2}[1-9][0-9]{0,4}$");
    auto rows = connection->query(
        "select FieldName, printPageID, printplace from dt_fieldlist where PageID>=0");
    std::set<std::pair<qint64, QString>> cells;
    for (; !rows.eof(); rows.next()) {
        SCOPED_TRACE(rows.field("FieldName").asText().toStdString());
        const qint64 sheet = rows.field("printPageID").asInteger();
        const QString cell = rows.field("printplace").asText();
        EXPECT_GE(sheet, 1);
        EXPECT_LE(sheet, 14); // the cover and the 13 survey pages
        EXPECT_TRUE(address.match(cell).hasMatch()) << cell.toStdString();
        EXPECT_TRUE(cells.insert({sheet, cell}).second) << cell.toStdString();
    }
    EXPECT_EQ(cells.size(), 205u);
}

TEST_F(InstalledDatabaseTest, RegionCodesAreWellFormedAndComplete) {
    auto rows = connection->query("select * from CT_CityName order by ID");
    EXPECT_GT(rows.recordCount(), 3000);
    std::set<qint64> ids;
    for (; !rows.eof(); rows.next())
        ids.insert(rows.field("ID").asInteger());
    int counties = 0;
    for (rows.first(); !rows.eof(); rows.next()) {
        const qint64 id = rows.field("ID").asInteger();
        SCOPED_TRACE(id);
        ASSERT_GE(id, 110000);
        ASSERT_LE(id, 829999);
        EXPECT_EQ(rows.field("Code1").asInteger(), id / 10000);
        EXPECT_EQ(rows.field("Code2").asInteger(), id % 10000 / 100);
        EXPECT_EQ(rows.field("Code3").asInteger(), id % 100);
        EXPECT_FALSE(rows.field("Name").asText().isEmpty());
        EXPECT_TRUE(rows.field("CombName").asText().endsWith(rows.field("Name").asText()) ||
                    id % 100 != 0 || id % 10000 == 0);
        if (id % 100 != 0) {
            ++counties;
            EXPECT_TRUE(ids.count(id / 100 * 100)) << "prefecture missing";
        }
        if (id % 10000 != 0) {
            EXPECT_TRUE(ids.count(id / 10000 * 10000)) << "province missing";
        }
    }
    EXPECT_GT(counties, 2800);
    EXPECT_EQ(
        connection->scalar("select CombName from CT_CityName where ID=?", {130102}).toString(),
        "河北省石家庄市长安区");
}

// The survey year's list: 莱芜市 became two districts of 济南市 in 2019.
TEST_F(InstalledDatabaseTest, RegionsAreTheSurveyYearsList) {
    auto rows = connection->query(
        "select ID, Code1, Code2, Code3, Name, CombName from CT_CityName "
        "where ID in (370100, 370116, 370117) or Code1 = 37 and Code2 = 12 order by ID");
    std::vector<QStringList> found;
    for (; !rows.eof(); rows.next()) {
        QStringList row;
        for (const char* column : {"ID", "Code1", "Code2", "Code3", "Name", "CombName"})
            row << rows.field(column).asText();
        found.push_back(row);
    }
    const std::vector<QStringList> expected = {
        {"370100", "37", "1", "0", "济南市", "山东省济南市"},
        {"370116", "37", "1", "16", "莱芜区", "山东省济南市莱芜区"},
        {"370117", "37", "1", "17", "钢城区", "山东省济南市钢城区"},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(connection->scalar("select count(*) from CT_CityName").toInt(), 3364);
}

TEST_F(InstalledDatabaseTest, ViewsDeliverTheColumnsTheProgramReads) {
    QStringList catalogueNames;
    auto fields = connection->query("select FieldName, ShowName from dt_fieldlist");
    for (; !fields.eof(); fields.next())
        catalogueNames << fields.field("FieldName").asText() << fields.field("ShowName").asText();
    for (const QString view : {"view_data", "view_data_all"}) {
        const QStringList columns = columnsOf(view);
        for (const QString& name : columnsOf("dt_data") + catalogueNames)
            EXPECT_TRUE(columns.contains(name, Qt::CaseInsensitive))
                << view.toStdString() << " " << name.toStdString();
    }
    const auto expectColumns = [](const QString& view, const QStringList& wanted) {
        const QStringList columns = columnsOf(view);
        for (const QString& name : wanted)
            EXPECT_TRUE(columns.contains(name, Qt::CaseInsensitive))
                << view.toStdString() << " " << name.toStdString();
    };
    expectColumns("view_fieldlist",
                  {"id", "FieldName", "Hint", "visible", "PageID", "sequence", "SheetName"});
    expectColumns("view_datasearch", {"PageID", "sequence", "codename"});
    expectColumns("view_group_item", {"id", "GroupID", "Title", "LowBoundary", "HighBoundary",
                                      "LowSymbol", "HighSymbol", "LowValue", "HighValue"});
    EXPECT_EQ(connection->scalar("select count(*) from view_datasearch").toInt(), 202);
}

TEST_F(InstalledDatabaseTest, IndicatorListOffersTheCoversNumbersAndEveryIndicator) {
    const auto indicatorsOf = [](int page) {
        QStringList names;
        auto rows = connection->query(
            "select codename from view_datasearch where PageID=? order by sequence", {page});
        for (; !rows.eof(); rows.next())
            names << rows.field("codename").asText();
        return names;
    };
    EXPECT_EQ(indicatorsOf(0), (QStringList{"c901", "c903", "c904", "c907"}));
    for (const Page& p : pages())
        EXPECT_EQ(indicatorsOf(p.id), p.fields) << p.id;
}

TEST_F(InstalledDatabaseTest, ViewsShowNamesAndTakeTheirWrites) {
    db::Connection c;
    c.openProtected(builtProgramFile("2020NB_jg_20200831.mdb"), db::databasePassword());
    c.execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) values "
              "(100000000001, '石家庄市长安区总工会', 130102, 3, 1, 2)");
    auto row = c.query("select * from view_data");
    EXPECT_EQ(row.field("CityName").asText(), "河北省石家庄市长安区");
    EXPECT_EQ(row.field("LevelName").asText(), "县级地方工会");
    EXPECT_EQ(row.field("StateName").asText(), "正常填报");
    EXPECT_EQ(row.field("RecordStateName").asText(), "有逻辑错误");

    c.execute("update view_fieldlist set visible=false");
    c.execute("update view_fieldlist set visible=true where id=?", {8});
    EXPECT_EQ(
        c.scalar("select group_concat(FieldName) from dt_fieldlist where Visible<>0").toString(),
        "z001");
    EXPECT_EQ(c.scalar("select SheetName from view_fieldlist where id=8").toString(),
              "表1  工会组织建设及民主参与状况");

    c.execute("insert into view_group_item (GroupID, Title, LowBoundary, HighBoundary, LowSymbol, "
              "HighSymbol) values (1, '市直', 100000000000, 199999999999, '>=', '<')");
    EXPECT_EQ(c.scalar("select LowValue || ' ' || HighValue from view_group_item").toString(),
              ">=100000000000 <199999999999");
    c.execute("update view_group_item set Title='县区' where GroupID=1");
    EXPECT_EQ(c.scalar("select Title from DT_GroupItem").toString(), "县区");
    c.execute("delete from view_group_item where GroupID=1");
    EXPECT_EQ(c.scalar("select count(*) from DT_GroupItem").toInt(), 0);
}

TEST(ExchangeTemplateTest, ViewDllOpensWithTheDatabasePasswordAndHoldsNoRecords) {
    db::Connection c;
    EXPECT_THROW(c.open(builtProgramFile("view.dll")), db::EngineError);
    c.openProtected(builtProgramFile("view.dll"), db::databasePassword());
    EXPECT_EQ(c.scalar("select count(*) from dt_data").toInt(), 0);
    EXPECT_EQ(c.scalar("select count(*) from ct_label").toInt(), 1);
    EXPECT_EQ(c.query("select * from dt_data where 0").columnCount(), 207);
}

TEST(PageNotesTest, EveryPageHasItsNotes) {
    for (int page = 0; page <= 13; ++page) {
        const QString name =
            QString("notes/TableNotesJG-%1.rtf").arg(page, 2, 10, QLatin1Char('0'));
        const QByteArray rtf = kestrune::testing::readFile(builtProgramFile(name));
        EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << name.toStdString();
    }
}

} // namespace
