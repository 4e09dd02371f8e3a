#include "SumCommand.h"

#include "RecordGenerator.h"
#include "SumDatabase.h"
#include "sum/SummaryJob.h"
#include "workbook/Workbook.h"

#include <QFile>

using namespace kestrune;
using kestrune::testing::SumDatabase;

namespace {

class SumCommandTest : public SumDatabase {
protected:
    int run(const QStringList& arguments) {
        shell::ConsoleInteraction console;
        console.setQuiet(true);
        QString printed;
        QTextStream out(&printed);
        const int status = cli::runSum(arguments, console, out);
        this->printed = printed;
        return status;
    }
    QString printed;
};

TEST_F(SumCommandTest, WritesTheWorkbookTheDialogFills) {
    cli::generateRecords(connection(), 120, 5);
    const qint64 group =
        addGroup("两段", "Title DESC",
                 {{"前", ">=", 0, "<", 500000000000}, {"后", ">=", 500000000000, "<", 1e12}});
    const QString out = env.path("by-group.xlsx");
    ASSERT_EQ(run({"--by", QString("group:%1").arg(group), "--sheets", "1,2,22", "--out", out}), 0);
    EXPECT_TRUE(printed.startsWith("汇总表："));
    workbook::Workbook written = workbook::Workbook::open(out);
    std::optional<workbook::Workbook> book =
        sum::SummaryWorkbook(connection(), ui, sum::Breakdown::Group, group, {1, 2, 22}, false);
    ASSERT_TRUE(book);
    // Saved as the dialog hands it over: the totals carry their values.
    book->save(env.path("dialog.xlsx"));
    std::optional<workbook::Workbook> filled = workbook::Workbook::open(env.path("dialog.xlsx"));
    ASSERT_EQ(written.sheetCount(), 3);
    ASSERT_EQ(filled->sheetCount(), 3);
    for (int s = 1; s <= 3; ++s)
        for (int r = 1; r <= 14; ++r)
            for (int c = 1; c <= 12; ++c) {
                SCOPED_TRACE(QString("%1 %2 %3").arg(s).arg(r).arg(c).toStdString());
                EXPECT_EQ(written.sheet(s).cell(r, c), filled->sheet(s).cell(r, c));
                EXPECT_EQ(written.sheet(s).formula(r, c), filled->sheet(s).formula(r, c));
            }
}

TEST_F(SumCommandTest, CoverOnlyAndWrongArgumentsWriteNothing) {
    const QString out = env.path("x.xlsx");
    EXPECT_EQ(run({"--by", "level", "--sheets", "1", "--out", out}), 1);
    EXPECT_EQ(run({"--by", "county", "--out", out}), 2);
    EXPECT_EQ(run({"--by", "level", "--sheets", "26", "--out", out}), 2);
    EXPECT_EQ(run({"--by", "level", "--all"}), 2);
    EXPECT_EQ(run({"--by", "group:999", "--all", "--out", out}), 2);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(run({"--by", "state", "--out", out}), 0);
    EXPECT_EQ(workbook::Workbook::open(out).sheetCount(), 25);
}

} // namespace
