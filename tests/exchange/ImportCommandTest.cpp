#include "ImportCommand.h"

#include "ImportFiles.h"
#include "shell/ProgramFolder.h"
#include "support/CapturedConsole.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::FileStart;
using kestrune::testing::readFile;
using kestrune::testing::WriteExchangeFile;

namespace {

struct ImportRun {
    int code;
    QString out;
    QString messages;
};

class ImportCommandTest : public ::testing::Test {
protected:
    ImportCommandTest() : oldTemp_(qgetenv("TEMP")) {
        qputenv("TEMP", temp_.path().toUtf8());
        env_.installDatabase();
    }
    ~ImportCommandTest() override { qputenv("TEMP", oldTemp_); }

    QString file(const QString& name) const { return QDir(files_.path()).filePath(name); }

    ImportRun import(const QStringList& arguments) {
        QString out;
        QTextStream stream(&out);
        kestrune::testing::CapturedConsole console(false);
        const int code = cli::runImport(arguments, console.ui, stream);
        stream.flush();
        return {code, out, console.messages() + console.errors()};
    }

    QByteArray oldTemp_;
    QTemporaryDir temp_;
    QTemporaryDir files_;
    kestrune::testing::TestEnvironment env_;
};

TEST_F(ImportCommandTest, EveryRecordImportedEndsWith0) {
    const QString east = file("east.dat");
    const QString west = file("west.mdb");
    WriteExchangeFile(east, "东区", {{110101000001, "甲"}, {110101000002, "乙"}});
    WriteExchangeFile(west, "西区", {{110102000001, "丙"}}, FileStart::Plain);

    const ImportRun run = import({east, west, "--yes"});

    EXPECT_EQ(run.code, 0) << run.messages.toStdString();
    EXPECT_EQ(run.out, "导入记录：3\n");
}

TEST_F(ImportCommandTest, ConflictsEndWith1AndNameTheReport) {
    const QString first = file("first.dat");
    const QString again = file("again.dat");
    WriteExchangeFile(first, "东区", {{110101000001, "甲"}});
    WriteExchangeFile(again, "东区", {{110101000001, "甲"}, {110101000002, "乙"}});
    ASSERT_EQ(import({first, "--yes"}).code, 0);

    const QString report = QDir::toNativeSeparators(
        QDir(temp_.path()).filePath(QStringLiteral("数据导入编号冲突.txt")));
    const ImportRun stopped = import({again, "--yes"});
    EXPECT_EQ(stopped.code, 1);
    EXPECT_EQ(stopped.out, "导入记录：0\n未导入记录：1\n编号冲突报告：" + report + "\n");

    const ImportRun kept = import({again, "--keep-clean", "--yes"});
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(kept.out, "导入记录：1\n未导入记录：1\n编号冲突报告：" + report + "\n");
}

TEST_F(ImportCommandTest, AnUnreadableFileEndsWith2) {
    const QString noise = file("noise.dat");
    kestrune::testing::writeFile(noise, QByteArray(3000, '\x05'));
    const ImportRun run = import({noise, "--yes"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.messages.contains("文件格式错误,请重新选择！")) << run.messages.toStdString();

    EXPECT_EQ(import({}).code, 2);
    EXPECT_EQ(import({noise, "--sideways"}).code, 2);
}

TEST_F(ImportCommandTest, WithoutYesOffATerminalTheLabelIsNotConfirmed) {
    const QString east = file("east.dat");
    WriteExchangeFile(east, "东区", {{110101000001, "甲"}});
    const ImportRun run = import({east});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "导入记录：0\n");
}

} // namespace
