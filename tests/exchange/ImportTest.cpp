#include "ImportFiles.h"
#include "RecordGenerator.h"
#include "exchange/ImportConflictReport.h"
#include "exchange/ImportData.h"
#include "exchange/ImportSource.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"
#include "shell/ProgramFolder.h"
#include "shell/Settings.h"
#include "support/StartedSession.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace kestrune;
using namespace kestrune::exchange;
using kestrune::testing::FileStart;
using kestrune::testing::readFile;
using kestrune::testing::SourceRecord;
using kestrune::testing::WriteExchangeFile;
using kestrune::testing::writeFile;

namespace {

// The person, with the order in which reports were opened and messages shown.
class OrderedInteraction : public kestrune::testing::ScriptedInteraction {
public:
    QStringList events;
    void showMessage(const QString& text, shell::MessageKind kind) override {
        events << QStringLiteral("message ") + text;
        ScriptedInteraction::showMessage(text, kind);
    }
    bool openWithDefaultProgram(const QString& path) override {
        events << QStringLiteral("open ") + path;
        return ScriptedInteraction::openWithDefaultProgram(path);
    }
};

// GBK through Qt's converter, not the program's own.
QByteArray gbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

class DataImportTest : public kestrune::testing::StartedSessionTest {
protected:
    DataImportTest() : oldTemp_(qgetenv("TEMP")) { qputenv("TEMP", temp_.path().toUtf8()); }
    ~DataImportTest() override { qputenv("TEMP", oldTemp_); }

    void addRecord(double code, const QString& name) {
        connection().execute("insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                             {code, name});
    }
    QString file(const QString& name) const { return QDir(files_.path()).filePath(name); }
    QByteArray workingBytes() { return readFile(session.database.currentPath()); }

    // Unit code and name of every record, in code order.
    QStringList records(const QString& table = "dt_data") {
        QStringList rows;
        db::Dataset data =
            connection().query("select c901, c902 from " + table + " order by c901, c902");
        for (data.first(); !data.eof(); data.next())
            rows << QString::number(data.value(0).toDouble(), 'f', 0) + " " +
                        data.value(1).toString();
        return rows;
    }

    ImportResult import(const QStringList& paths,
                        ImportPrinciple principle = ImportPrinciple::AbandonAllOnError) {
        return ImportDataFiles(connection(), ui, paths, principle);
    }

    QByteArray oldTemp_;
    QTemporaryDir temp_;
    QTemporaryDir files_;
};

const QString kLabel = QStringLiteral("城东区总工会");

TEST_F(DataImportTest, AScrambledFileOfAnotherInstallationImportsAfterItsLabelIsConfirmed) {
    const QString path = file("城东区.dat");
    WriteExchangeFile(path, kLabel, {{110101000001, "甲工会"}, {110101000002, "乙工会"}});
    const QByteArray chosen = readFile(path);
    ASSERT_EQ(chosen.at(0), '\x05');
    ui.confirmAnswers = {true};

    const ImportResult result = import({path});

    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.imported, 2);
    EXPECT_TRUE(result.refreshList());
    EXPECT_EQ(ui.confirmations, QStringList{"确认准备导入标记声明为【城东区总工会】的数据么？"});
    EXPECT_EQ(ui.confirmationCaptions, QStringList{"提示："});
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据已经被正确地从'" + path + "'导入！"});
    EXPECT_EQ(records(), (QStringList{"110101000001 甲工会", "110101000002 乙工会"}));
    EXPECT_EQ(readFile(path), chosen) << "the chosen file is never changed";
    EXPECT_FALSE(QFile::exists(env.path("temp.dat")));
}

TEST_F(DataImportTest, AFileWhoseSignatureWasOverwrittenImports) {
    const QString path = file("lost.dat");
    WriteExchangeFile(path, kLabel, {{110101000003, "丙工会"}}, FileStart::LostSignature);
    ASSERT_EQ(readFile(path).left(16), QByteArray(16, 'f'));
    ui.confirmAnswers = {true};

    EXPECT_EQ(import({path}).outcome, ImportOutcome::Imported);
    EXPECT_EQ(records(), QStringList{"110101000003 丙工会"});
}

TEST_F(DataImportTest, APlainBackupIsReadDirectlyWithoutAWorkingCopy) {
    const QString path = file("backup.mdb");
    WriteExchangeFile(path, kLabel, {{110101000004, "丁工会"}}, FileStart::Plain);
    ASSERT_TRUE(readFile(path).startsWith(QByteArray("SQLite format 3\0", 16)));
    // A working copy would overwrite this file and remove it.
    writeFile(env.path("temp.dat"), "left by an earlier import");
    ui.confirmAnswers = {true};

    EXPECT_EQ(import({path}).outcome, ImportOutcome::Imported);
    EXPECT_EQ(records(), QStringList{"110101000004 丁工会"});
    EXPECT_EQ(readFile(env.path("temp.dat")), "left by an earlier import");
}

TEST_F(DataImportTest, OneTakenCodeImportsNothingAndTheReportListsEveryConflict) {
    addRecord(110101000001, "原有甲");
    addRecord(110101000003, "原有丙");
    const QString path = file("clash.dat");
    WriteExchangeFile(path, kLabel,
                      {{110101000003, "新丙"}, {110101000002, "新乙"}, {110101000001, "新甲"}});
    const QByteArray before = workingBytes();
    OrderedInteraction person;
    person.confirmAnswers = {true};

    const ImportResult result =
        ImportDataFiles(connection(), person, {path}, ImportPrinciple::AbandonAllOnError);

    EXPECT_EQ(result.outcome, ImportOutcome::Conflicts);
    EXPECT_FALSE(result.refreshList());
    EXPECT_EQ(result.imported, 0);
    EXPECT_EQ(result.leftOut, 2);
    EXPECT_EQ(records(), (QStringList{"110101000001 原有甲", "110101000003 原有丙"}));
    EXPECT_EQ(records("dt_data_dt_data"), (QStringList{"110101000001 新甲", "110101000003 新丙"}));
    const QString report = QDir(temp_.path()).filePath("数据导入编号冲突.txt");
    EXPECT_EQ(result.reportPath, report);
    EXPECT_EQ(readFile(report),
              gbk("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\r\n" + QString(80, '-') +
                  "\r\n(110101000001,新甲)\r\n(110101000003,新丙)\r\n"));
    EXPECT_EQ(person.events, (QStringList{"open " + report, "message " + kImportConflictMessage}));
    EXPECT_EQ(kImportConflictMessage,
              "导入过程中发生错误，准备导入的数据可能与现有的\n\r数据有重复的内容，详细的内容请参"
              "见文件：\n\r\n\r            数据导入编号冲突.txt。");
    EXPECT_NE(workingBytes(), before) << "the working table keeps the conflicting rows";
}

TEST_F(DataImportTest, KeepingTheCleanRecordsImportsTheFreeCodesAndListsTheOthers) {
    addRecord(110101000001, "原有甲");
    const QString path = file("clash.dat");
    WriteExchangeFile(path, kLabel,
                      {{110101000001, "新甲"}, {110101000002, "新乙"}, {110101000005, "新戊"}});
    ui.confirmAnswers = {true};

    const ImportResult result = import({path}, ImportPrinciple::AbandonFaultyOnly);

    EXPECT_EQ(result.outcome, ImportOutcome::PartlyImported);
    EXPECT_TRUE(result.refreshList());
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.leftOut, 1);
    EXPECT_EQ(records(),
              (QStringList{"110101000001 原有甲", "110101000002 新乙", "110101000005 新戊"}));
    EXPECT_EQ(ui.openedFiles, QStringList{result.reportPath});
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"已经导入2条记录，另有1条记录因编号冲突没有导入，详细的内容请参见文件："
                          "\n\n            数据导入编号冲突.txt。"});
    EXPECT_TRUE(readFile(result.reportPath).endsWith(gbk("(110101000001,新甲)\r\n")));
}

TEST_F(DataImportTest, SeveralFilesImportTogetherEachLabelConfirmed) {
    const QString east = file("east.dat");
    const QString west = file("west.mdb");
    WriteExchangeFile(east, "东区", {{110101000001, "甲"}});
    WriteExchangeFile(west, "西区", {{110102000001, "乙"}}, FileStart::Plain);
    ui.confirmAnswers = {true, true};

    const ImportResult result = import({east, west});

    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(ui.confirmations, (QStringList{"确认准备导入标记声明为【东区】的数据么？",
                                             "确认准备导入标记声明为【西区】的数据么？"}));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"数据已经被正确地从'" + east + "'、'" + west + "'导入！"});
    EXPECT_EQ(records(), (QStringList{"110101000001 甲", "110102000001 乙"}));
}

TEST_F(DataImportTest, ACodeInTwoChosenFilesIsAConflictAndNothingIsImported) {
    addRecord(110101000009, "原有");
    const QString east = file("east.dat");
    const QString west = file("west.dat");
    WriteExchangeFile(east, "东区", {{110101000001, "东甲"}, {110101000009, "东重"}});
    WriteExchangeFile(west, "西区", {{110101000001, "西甲"}, {110102000002, "西乙"}});
    ui.confirmAnswers = {true, true};

    const ImportResult result = import({east, west});

    EXPECT_EQ(result.outcome, ImportOutcome::Conflicts);
    EXPECT_EQ(records(), QStringList{"110101000009 原有"});
    EXPECT_EQ(records("dt_data_dt_data"),
              (QStringList{"110101000001 东甲", "110101000001 西甲", "110101000009 东重"}));
}

TEST_F(DataImportTest, KeepingTheCleanRecordsOfSeveralFilesLeavesOutCodesTheyShare) {
    const QString east = file("east.dat");
    const QString west = file("west.dat");
    WriteExchangeFile(east, "东区", {{110101000001, "东甲"}, {110101000002, "东乙"}});
    WriteExchangeFile(west, "西区", {{110101000001, "西甲"}, {110102000002, "西乙"}});
    ui.confirmAnswers = {true, true};

    const ImportResult result = import({east, west}, ImportPrinciple::AbandonFaultyOnly);

    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.leftOut, 2);
    EXPECT_EQ(records(), (QStringList{"110101000002 东乙", "110102000002 西乙"}));
}

TEST_F(DataImportTest, DecliningALabelImportsNothingAndLeavesTheListAlone) {
    const QString east = file("east.dat");
    const QString west = file("west.dat");
    WriteExchangeFile(east, "东区", {{110101000001, "甲"}});
    WriteExchangeFile(west, "西区", {{110102000001, "乙"}});
    const QByteArray before = workingBytes();
    ui.confirmAnswers = {true, false};

    const ImportResult result = import({east, west});

    EXPECT_EQ(result.outcome, ImportOutcome::Declined);
    EXPECT_FALSE(result.refreshList());
    EXPECT_EQ(ui.messageTexts(), QStringList{});
    EXPECT_EQ(workingBytes(), before);
}

// Every refusal leaves the working database byte for byte as it was.
class RefusedImportTest : public DataImportTest {
protected:
    void expectRefused(const QString& path, const QString& message) {
        addRecord(110101000001, "原有");
        const QByteArray before = workingBytes();
        const QByteArray chosen = QFile::exists(path) ? readFile(path) : QByteArray();
        ui.confirmAnswers = {true};

        const ImportResult result = import({path});

        EXPECT_EQ(result.outcome, ImportOutcome::Refused);
        EXPECT_EQ(ui.messageTexts(), QStringList{message});
        EXPECT_EQ(ui.confirmations, QStringList{});
        EXPECT_EQ(workingBytes(), before);
        if (!chosen.isEmpty()) {
            EXPECT_EQ(readFile(path), chosen);
        }
    }
};

TEST_F(RefusedImportTest, AMissingFile) {
    expectRefused(file("none.dat"), "您选择的文件并不存在，请选择其它文件。");
}

TEST_F(RefusedImportTest, AFileThatIsNoDatabase) {
    const QString path = file("noise.dat");
    writeFile(path, QByteArray("\x05") + QByteArray(4000, 'x'));
    expectRefused(path, "文件格式错误,请重新选择！");
}

TEST_F(RefusedImportTest, AProtectedFileUnderAnotherPassword) {
    const QString path = file("foreign.dat");
    writeFile(path, db::ProtectedFile::seal(
                        readFile(kestrune::testing::builtProgramFile("view.dll")), "another"));
    expectRefused(path, "文件格式错误,请重新选择！");
}

TEST_F(RefusedImportTest, AFileWithoutTheRecordTable) {
    const QString path = file("tableless.dat");
    WriteExchangeFile(path, kLabel, {});
    kestrune::testing::AlterExchangeFile(path, "drop table dt_data");
    expectRefused(path, "您选择的文件中不存在名字为\"dt_data\"的数据表");
}

TEST_F(RefusedImportTest, AFileWithAColumnTheWorkingDatabaseLacks) {
    const QString path = file("wider.dat");
    WriteExchangeFile(path, kLabel, {{110102000001, "乙"}});
    kestrune::testing::AlterExchangeFile(path, "alter table dt_data add column c999 REAL");
    expectRefused(path, "导入文件格式错误");
}

TEST_F(RefusedImportTest, AFileMissingAColumnOfTheWorkingDatabase) {
    const QString path = file("narrower.dat");
    WriteExchangeFile(path, kLabel, {{110102000001, "乙"}});
    kestrune::testing::AlterExchangeFile(path, "alter table dt_data drop column c903");
    expectRefused(path, "导入文件格式错误");
}

TEST_F(DataImportTest, AWorkingDatabaseWithoutTheRecordTableIsReported) {
    const QString path = file("east.dat");
    WriteExchangeFile(path, kLabel, {{110101000001, "甲"}});
    kestrune::testing::DropViews(connection());
    connection().execute("alter table dt_data rename to dt_data_old");

    EXPECT_EQ(import({path}).outcome, ImportOutcome::Refused);
    EXPECT_EQ(ui.messageTexts(), QStringList{"系统中不存在名字为\"dt_data\"的数据表"});
}

TEST_F(DataImportTest, ColumnsAreMatchedByNameNotByPlace) {
    const QString path = file("reordered.mdb");
    WriteExchangeFile(path, kLabel, {{110101000007, "庚"}}, FileStart::Plain);
    {
        db::Connection backup;
        backup.open(path);
        kestrune::testing::DropViews(backup);
        backup.executeScript("create table moved as select c902, RecordState, * from dt_data;"
                             "alter table moved drop column \"c902:1\";"
                             "alter table moved drop column \"RecordState:1\";"
                             "drop table dt_data; alter table moved rename to dt_data");
    }
    ui.confirmAnswers = {true};
    EXPECT_EQ(import({path}).outcome, ImportOutcome::Imported)
        << ui.messageTexts().join("|").toStdString();
    EXPECT_EQ(records(), QStringList{"110101000007 庚"});
}

TEST_F(DataImportTest, TheOpenDialogStartsInTheDocumentsAndCancellingEndsSilently) {
    ui.fileAnswers = {QString()};
    const ImportResult result = RunDataImport(connection(), ui, ImportPrinciple::AbandonAllOnError);
    EXPECT_EQ(result.outcome, ImportOutcome::Cancelled);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "选择导入文件");
    EXPECT_EQ(ui.fileDialogs[0].filter, "数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb");
    EXPECT_EQ(ui.fileDialogs[0].initialFolder, shell::documentsFolder());
    EXPECT_EQ(ui.fileDialogs[0].proposedName, "");
    EXPECT_EQ(ui.messageTexts(), QStringList{});
}

TEST_F(DataImportTest, TheChosenFileImportsFromTheDialog) {
    const QString path = file("east.dat");
    WriteExchangeFile(path, kLabel, {{110101000001, "甲"}});
    ui.fileAnswers = {file("east")};
    ui.confirmAnswers = {true};
    EXPECT_EQ(RunDataImport(connection(), ui, ImportPrinciple::AbandonAllOnError).outcome,
              ImportOutcome::Imported);
    EXPECT_EQ(records(), QStringList{"110101000001 甲"});
}

// Every column of every record of state 1, compared by value and storage type.
QString differingRecordsQuery(db::Connection& connection) {
    QStringList differs;
    db::Dataset columns = connection.query("select name from pragma_table_info('dt_data')");
    for (columns.first(); !columns.eof(); columns.next()) {
        const QString c = "[" + columns.value(0).toString() + "]";
        differs << "a." + c + " is not b." + c << "typeof(a." + c + ") <> typeof(b." + c + ")";
    }
    return "select count(*) from source.dt_data a left join main.dt_data b on a.c901 = b.c901 "
           "where a.RecordState = 1 and (b.c901 is null or " +
           differs.join(" or ") + ")";
}

TEST_F(DataImportTest, HundredThousandRecordsComeBackValueForValue) {
    const QString sourcePath = file("source.mdb");
    QFile::copy(kestrune::testing::builtProgramFile(shell::kDefaultDatabaseName), sourcePath);
    QFile(sourcePath).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    db::ProtectedFile::removePassword(sourcePath, db::databasePassword());
    const QString exchangeFile = file("exchange.dat");
    {
        db::Connection source;
        source.open(sourcePath);
        cli::generateRecords(source, 100000, 20261209);
        kestrune::testing::WriteExchangeFileFrom(source, exchangeFile, kLabel);
    }
    ui.confirmAnswers = {true};

    const ImportResult result = import({exchangeFile});

    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << ui.messageTexts().join("|").toStdString();
    connection().attach(sourcePath, "source");
    const qint64 exported = connection()
                                .scalar("select count(*) from source.dt_data where RecordState = 1")
                                .toLongLong();
    EXPECT_GT(exported, 50000);
    EXPECT_EQ(result.imported, exported);
    EXPECT_EQ(connection().scalar("select count(*) from main.dt_data").toLongLong(), exported);
    EXPECT_EQ(connection().scalar(differingRecordsQuery(connection())).toLongLong(), 0);
    connection().detach("source");
}

TEST(ImportFileNameTest, TheChosenFilterGivesTheExtension) {
    EXPECT_EQ(ImportFileName("a.da", 0), "a.da"); // four characters: as it is
    EXPECT_EQ(ImportFileName("east", 0), "east"); // four characters: as it is
    EXPECT_EQ(ImportFileName("east1", 0), "east1.dat");
    EXPECT_EQ(ImportFileName("east.dat", 0), "east.dat");
    EXPECT_EQ(ImportFileName("east.DAT", 0), "east.DAT.dat"); // compared case-sensitively
    EXPECT_EQ(ImportFileName("east.mdb", 0), "east.mdb.dat");
    EXPECT_EQ(ImportFileName("backup", 1), "backup.mdb");
    EXPECT_EQ(ImportFileName("backup.mdb", 1), "backup.mdb");
}

} // namespace
