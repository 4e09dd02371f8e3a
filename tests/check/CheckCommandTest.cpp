#include "CheckCommand.h"

#include "CheckDatabase.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::CheckDatabase;

namespace {

// A console whose messages land in files the test reads back.
class CapturedConsole {
public:
    CapturedConsole() : out_(std::tmpfile()), err_(std::tmpfile()), ui(out_, err_) {
        ui.setQuiet(true);
    }
    ~CapturedConsole() {
        std::fclose(out_);
        std::fclose(err_);
    }
    QString messages() const { return read(out_); }
    QString errors() const { return read(err_); }

private:
    static QString read(FILE* file) {
        std::fflush(file);
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, qsizetype(n));
        return QString::fromUtf8(bytes);
    }
    FILE* out_;
    FILE* err_;

public:
    shell::ConsoleInteraction ui;
};

struct Result {
    int code;
    QString out;
};

Result runCheck(CapturedConsole& console, const QStringList& arguments) {
    QString text;
    QTextStream out(&text);
    const int code = cli::runCheck(arguments, console.ui, out);
    out.flush();
    return {code, text};
}

TEST(CheckCommandTest, ChecksTheChosenRecordsAndExitsOneOnLogicErrors) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    database.addRecord(100000000002.0, "第二工会", {{"z001", 1}}, 4);
    database.addRecord(100000000003.0, "第三工会", {{"z001", 1}}, 4);

    CapturedConsole console;
    const Result all = runCheck(console, {"--all"});
    EXPECT_EQ(all.code, 1);
    EXPECT_EQ(all.out, "检查结果：" + database.reportPath() +
                           "\n检查的单位：3\n有逻辑错误的单位：1\n逻辑错误项：5\n");
    EXPECT_EQ(database.recordState(100000000001.0), 2);
    EXPECT_EQ(database.recordState(100000000002.0), 1);
    // Without a terminal the report is not opened, its path is printed.
    EXPECT_EQ(console.messages(), database.reportPath() + "\n");

    CapturedConsole clean;
    const Result codes = runCheck(clean, {"--codes", "100000000003,100000000002"});
    EXPECT_EQ(codes.code, 0);
    EXPECT_EQ(codes.out, "检查结果：" + database.reportPath() +
                             "\n检查的单位：2\n有逻辑错误的单位：0\n逻辑错误项：0\n");
    EXPECT_EQ(clean.messages(), "恭喜你，所检查的数据没有逻辑错误\n");

    CapturedConsole range;
    EXPECT_EQ(runCheck(range, {"--range", "100000000003", "100000000001"}).code, 0);
}

TEST(CheckCommandTest, WrongArgumentsExitTwoWithoutChecking) {
    CheckDatabase database;
    database.addRecord(100000000001.0, "第一工会", {}, 3);
    const QString usage =
        "用法：kestrune-cli check --all | --range 起始编号 终止编号 | --codes 编号,编号,...\n";
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--all", "x"}, QStringList{"--range", "1"},
          QStringList{"--range", "1", "2x"}, QStringList{"--codes", "1,a"},
          QStringList{"--codes", ""}, QStringList{"--every"}}) {
        CapturedConsole console;
        EXPECT_EQ(runCheck(console, arguments).code, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(console.errors(), usage);
    }
    CapturedConsole zero;
    EXPECT_EQ(runCheck(zero, {"--range", "0", "100000000001"}).code, 2);
    EXPECT_EQ(zero.errors(), "请输入逻辑检查的范围\n");
    EXPECT_TRUE(database.recordState(100000000001.0).isNull());
}

} // namespace
