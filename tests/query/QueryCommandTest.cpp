#include "QueryCommand.h"

#include "schema/Connection.h"
#include "shell/Startup.h"
#include "support/CapturedConsole.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::TestEnvironment;

namespace {

struct QueryRun {
    int code;
    QString out;
    QString messages;
};

QueryRun query(const QStringList& arguments) {
    QString out;
    QTextStream stream(&out);
    kestrune::testing::CapturedConsole console(true);
    const int code = cli::runQuery(arguments, console.ui, stream);
    stream.flush();
    return {code, out, console.messages() + console.errors()};
}

class QueryCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        kestrune::testing::CapturedConsole console(true);
        shell::Session session;
        ASSERT_TRUE(shell::StartSession(session, console.ui));
        for (int i = 1; i <= 3; ++i)
            session.database.connection().execute(
                "insert into dt_data (c901, c902, RecordState, z001, y005) values (?, ?, 1, ?, ?)",
                {130102000000.0 + i, QString("单位%1").arg(i), i * 10, i == 2 ? 1 : 0});
    }
    TestEnvironment env;
};

TEST_F(QueryCommandTest, PrintsTheCountAndTheUnitCodesFound) {
    const QueryRun run = query({"z001", ">=", "20", "<", "100"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "符合条件的数据总数：2\n130102000002\n130102000003\n");
    const QueryRun audits = query({"y005", ">", "0"});
    EXPECT_EQ(audits.out, "符合条件的数据总数：1\n130102000002\n");
    const QueryRun none = query({"z001", "=", "15"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "符合条件的数据总数：0\n");
}

TEST_F(QueryCommandTest, RefusedConditionsAndWrongArgumentsEndWithCode2) {
    const QueryRun shortCode = query({"c901", "=", "13010200000"});
    EXPECT_EQ(shortCode.code, 2);
    EXPECT_EQ(shortCode.out, "");
    EXPECT_TRUE(shortCode.messages.contains("c901必须为12位")) << shortCode.messages.toStdString();
    for (const QStringList& wrong : QList<QStringList>{{},
                                                       {"z001", ">"},
                                                       {"z001", "!=", "5"},
                                                       {"z001", ">", "5", "<"},
                                                       {"z001", ">", "5", "--out"},
                                                       {"z001", ">", "5", "--colour", "red"}}) {
        SCOPED_TRACE(wrong.join(' ').toStdString());
        const QueryRun run = query(wrong);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.messages.contains("用法：kestrune-cli query"))
            << run.messages.toStdString();
    }
}

TEST_F(QueryCommandTest, WritesTheListWorkbookOrTheDetailDatabase) {
    const QString book = env.path("found");
    const QueryRun list = query({"z001", ">", "10", "--out", book});
    EXPECT_EQ(list.code, 0) << list.messages.toStdString();
    EXPECT_EQ(list.out, book + ".xlsx\n");
    EXPECT_TRUE(QFile::exists(book + ".xlsx"));

    const QString file = env.path("found-db");
    const QueryRun details = query({"z001", ">", "10", "--out-db", file});
    EXPECT_EQ(details.code, 0) << details.messages.toStdString();
    EXPECT_EQ(details.out, file + ".mdb\n");
    db::Connection exported;
    exported.open(file + ".mdb");
    EXPECT_EQ(
        exported.scalar("select group_concat(c902, ',') from \"Kestrune查询结果\"").toString(),
        "单位2,单位3");

    const QueryRun nothing = query({"z001", ">", "100", "--out", env.path("none")});
    EXPECT_EQ(nothing.code, 1);
    EXPECT_FALSE(QFile::exists(env.path("none.xlsx")));
}

} // namespace
