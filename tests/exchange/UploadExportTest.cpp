#include "ExportCommand.h"
#include "RecordGenerator.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/OfflineExport.h"
#include "exchange/OnlineExport.h"
#include "exchange/UploadRules.h"
#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/ProtectedFile.h"
#include "schema/Statement.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "support/CapturedConsole.h"
#include "support/StartedSession.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::readFile;
using kestrune::testing::writeFile;

namespace {

// The person, with the input box's presets kept.
class LabelPerson : public kestrune::testing::ScriptedInteraction {
public:
    QStringList presets;
    QStringList titles;
    QStringList prompts;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override {
        titles << title;
        prompts << prompt;
        presets << initial;
        return ScriptedInteraction::inputText(title, prompt, initial);
    }
};

// Every row of a query, with its column names.
struct Rows {
    QStringList names;
    std::vector<QVariantList> rows;
    int index(const QString& name) const { return int(names.indexOf(name)); }
};

Rows readRows(db::Connection& c, const QString& sql, const QVariantList& params = {}) {
    Rows result;
    c.forEachRow(sql, params, [&](const db::Statement& row) {
        if (result.names.isEmpty())
            for (int i = 0; i < row.columnCount(); ++i)
                result.names << row.columnName(i);
        QVariantList values;
        for (int i = 0; i < row.columnCount(); ++i)
            values << row.value(i);
        result.rows.push_back(values);
    });
    return result;
}

// What the openssl tool makes of an upload file: the length field and the
// decrypted blocks, cut to that length.
QByteArray decryptWithOpenssl(const QString& uploadFile, const QString& work) {
    const QByteArray file = readFile(uploadFile);
    const qint64 length = qFromLittleEndian<qint64>(file.constData());
    writeFile(work, file.mid(8));
    QProcess openssl;
    openssl.start("openssl",
                  {"enc", "-d", "-aes-128-ecb", "-nopad", "-K",
                   QString::fromLatin1(db::uploadKey().toLatin1().toHex()), "-in", work});
    openssl.waitForFinished(60000);
    EXPECT_EQ(openssl.exitCode(), 0) << openssl.readAllStandardError().toStdString();
    const QByteArray plain = openssl.readAllStandardOutput();
    EXPECT_EQ(plain.size(), (length + 15) / 16 * 16);
    EXPECT_EQ(plain.mid(length), QByteArray(plain.size() - length, '\0'));
    return plain.left(length);
}

// The upload text table rendered a second way: Qt's number formatting and
// ICU's GBK instead of the exporter's own.
QString independentNumber(double v) {
    QString s = QString::number(v, 'g', 15).replace("e+", "E").replace("e-", "E-");
    const int e = s.indexOf('E');
    if (e >= 0) {
        int at = s[e + 1] == '-' ? e + 2 : e + 1;
        while (at < s.size() - 1 && s[at] == '0')
            s.remove(at, 1);
    }
    return s == "-0" ? "0" : s;
}

QByteArray independentTable(db::Connection& c) {
    QStringList names;
    QList<int> kinds;
    for (const auto& row : readRows(c, "select fieldName, QueryType from dt_fieldlist where "
                                       "sequence>0 and sequence<1000 order by sequence")
                               .rows) {
        names << row[0].toString();
        kinds << row[1].toInt();
    }
    QString text;
    for (const QString& n : names)
        text += n + ",";
    text += "\r\n";
    const Rows records = readRows(c, "select * from dt_data order by c901 asc");
    for (const auto& row : records.rows) {
        for (int i = 0; i < names.size(); ++i) {
            const QVariant v = row[records.index(names[i])];
            const bool empty = v.isNull() || v.toString().trimmed().isEmpty();
            switch (kinds[i]) {
            case 0:
            case 3:
                text += empty ? "0" : QString::number(qRound64(v.toDouble()));
                break;
            case 2:
                text += empty ? "0" : independentNumber(v.toDouble());
                break;
            default: {
                QString t = v.toString();
                text += t.contains(',') ? t.replace(',', u'，') : t.replace(u'－', '-');
            }
            }
            text += ",";
        }
        text += "\r\n";
    }
    QStringEncoder gbk("GBK");
    return gbk.encode(text);
}

class UploadExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        ASSERT_TRUE(
            QFile::copy(kestrune::testing::builtProgramFile(exchange::kExchangeTemplateName),
                        env.path(exchange::kExchangeTemplateName)));
        documents = env.path("documents");
        shell::WriteRegText("Personal", documents, shell::RegistryRoot::CurrentUser,
                            shell::kShellFoldersKey);
        ASSERT_TRUE(shell::StartSession(session, ui));
    }

    db::Connection& connection() { return session.database.connection(); }
    shell::SurveyDatabase& database() { return session.database; }

    void addRecords(int count) {
        cli::generateRecords(connection(), count, 20261209);
        connection().execute("update dt_data set RecordState=1");
    }

    bool exportOffline() {
        return exchange::ExportOffline(connection(), database().currentPath(), database().label(),
                                       ui);
    }

    // The exchange file's database, restored from a copy as the import reads it.
    db::Connection openExchangeFile(const QString& file) {
        const QString copy = env.path("restored.dat");
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(file, copy));
        exchange::RestoreHeader(copy);
        db::Connection c;
        c.openProtected(copy, db::databasePassword());
        return c;
    }

    QString target(const QString& name) const { return QDir(documents).filePath(name); }

    kestrune::testing::TestEnvironment env;
    LabelPerson ui;
    shell::Session session;
    QString documents;
};

TEST_F(UploadExportTest, TheNameRulesAppendDatWhereNeeded) {
    EXPECT_EQ(exchange::UploadTargetName("abc"), "abc.dat");
    EXPECT_EQ(exchange::UploadTargetName("/d/x.DAT"), "/d/x.DAT.dat");
    EXPECT_EQ(exchange::UploadTargetName("/d/x.dat"), "/d/x.dat");
    EXPECT_EQ(exchange::UploadTargetName(".dat"), ".dat.dat");
    EXPECT_EQ(exchange::OfflineProposedName("某工会", QDate(2026, 3, 4)),
              "某工会-2026-03-04(离线版)");
    EXPECT_EQ(exchange::OnlineProposedName(QDate(2026, 3, 4)), "2026-03-04(网络版)");
}

TEST_F(UploadExportTest, ARecordInState0Or2BlocksBothExportsANullStateDoesNot) {
    addRecords(3);
    for (int state : {0, 2}) {
        connection().execute("update dt_data set RecordState=? where c901=(select min(c901) "
                             "from dt_data)",
                             {state});
        ui.messages.clear();
        EXPECT_FALSE(exportOffline());
        EXPECT_FALSE(exchange::ExportOnline(connection(), ui));
        EXPECT_EQ(ui.messageTexts(),
                  QStringList({exchange::kOfflineRefusal, exchange::kOnlineRefusal}));
        EXPECT_TRUE(ui.fileDialogs.empty());
        EXPECT_TRUE(ui.presets.isEmpty());
    }

    connection().execute("update dt_data set RecordState=NULL where RecordState<>1");
    const double nullCode = connection()
                                .scalar("select c901 from dt_data where RecordState is "
                                        "null")
                                .toDouble();
    ui.messages.clear();
    ui.inputAnswers = {QString("上级工会")};
    ui.fileAnswers = {target("off.dat"), target("on.dat")};
    ASSERT_TRUE(exportOffline());
    ASSERT_TRUE(exchange::ExportOnline(connection(), ui));
    db::Connection offline = openExchangeFile(target("off.dat"));
    EXPECT_EQ(offline.scalar("select count(*) from dt_data").toInt(), 2);
    EXPECT_EQ(offline.scalar("select count(*) from dt_data where c901=?", {nullCode}).toInt(), 0);
    const QByteArray online = decryptWithOpenssl(target("on.dat"), env.path("blocks"));
    EXPECT_EQ(online.count("\r\n"), 4); // the header and all three records
    EXPECT_EQ(online, independentTable(connection()));
}

TEST_F(UploadExportTest, TheDefaultLabelIsRefusedAnyNumberOfTimesAndCancelEndsQuietly) {
    connection().execute("update ct_label set db_name=?", {exchange::kDefaultLabel});
    ui.inputAnswers = {exchange::kDefaultLabel, exchange::kDefaultLabel, std::nullopt};
    EXPECT_FALSE(exchange::ExportOffline(connection(), database().currentPath(),
                                         exchange::kDefaultLabel, ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList({exchange::kDefaultLabelRefused, exchange::kDefaultLabelRefused}));
    EXPECT_EQ(ui.titles, QStringList(3, exchange::kLabelCaption));
    EXPECT_EQ(ui.prompts, QStringList(3, exchange::kLabelPrompt));
    EXPECT_EQ(ui.presets, QStringList(3, exchange::kDefaultLabel));
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(UploadExportTest, TheOfflineFileCarriesTheReportedRecordsAndTheTypedLabel) {
    addRecords(20);
    connection().execute("update dt_data set RecordState=NULL where c901=(select max(c901) from "
                         "dt_data)");
    const QString label = QStringLiteral("张家口市总工会's \"分会\"");
    ui.inputAnswers = {label};
    ui.fileAnswers = {target("交换")};
    ASSERT_TRUE(exportOffline());

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const shell::FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.title, "导出文件存放为");
    EXPECT_EQ(request.filter, "数据加密文件(*.dat)|*.dat");
    EXPECT_EQ(request.initialFolder, documents);
    EXPECT_TRUE(QDir(documents).exists());
    EXPECT_EQ(request.proposedName,
              label + "-" + QDate::currentDate().toString("yyyy-MM-dd") + "(离线版)");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ui.presets, QStringList{database().label()});
    const QString file = target("交换.dat");
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据已经被正确导出到：'" + file + "'！"});
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"交换.dat"});

    const QByteArray bytes = readFile(file);
    EXPECT_EQ(quint8(bytes[0]), 0x05);
    db::Connection exported = openExchangeFile(file);
    EXPECT_EQ(exported.scalar("select db_name from ct_label").toString(), label);
    EXPECT_EQ(connection().scalar("select db_name from ct_label").toString(), database().label());
    // Value for value, columns by name, the unreported record left out.
    const Rows expected =
        readRows(connection(), "select * from dt_data where RecordState=1 order by c901");
    const Rows written = readRows(exported, "select * from dt_data order by c901");
    ASSERT_EQ(written.rows.size(), 19u);
    ASSERT_EQ(written.names.size(), expected.names.size());
    for (size_t r = 0; r < expected.rows.size(); ++r)
        for (int f = 0; f < expected.names.size(); ++f)
            EXPECT_EQ(written.rows[r][written.index(expected.names[f])], expected.rows[r][f])
                << expected.names[f].toStdString();
}

TEST_F(UploadExportTest, AnEmptyDatabaseGivesAnEmptyOfflineFileAndAHeaderOnlyOnlineFile) {
    ASSERT_EQ(connection().scalar("select count(*) from dt_data").toInt(), 0);
    ui.inputAnswers = {QString("空库")};
    ui.fileAnswers = {target("empty.dat"), target("online.dat")};
    ASSERT_TRUE(exportOffline());
    EXPECT_EQ(openExchangeFile(target("empty.dat")).scalar("select count(*) from dt_data").toInt(),
              0);
    ASSERT_TRUE(exchange::ExportOnline(connection(), ui));
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[1].filter, "dat文件(*.dat)|*.dat");
    EXPECT_EQ(ui.fileDialogs[1].proposedName,
              QDate::currentDate().toString("yyyy-MM-dd") + "(网络版)");
    const QByteArray plain = decryptWithOpenssl(target("online.dat"), env.path("blocks"));
    EXPECT_TRUE(plain.startsWith("c901,c902,c903,"));
    EXPECT_TRUE(plain.endsWith(",\r\n"));
    EXPECT_EQ(plain.count("\r\n"), 1);
    EXPECT_EQ(plain, independentTable(connection()));
    EXPECT_EQ(ui.messageTexts().last(), "导出上报数据成功");
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList({"empty.dat", "online.dat"}));
}

TEST_F(UploadExportTest, TheOnlineTextFollowsTheValueRulesByteForByte) {
    addRecords(30);
    const auto codes = readRows(connection(), "select c901 from dt_data order by c901").rows;
    const QString textField =
        connection()
            .scalar("select fieldName from dt_fieldlist where QueryType=1 and "
                    "sequence>0 and sequence<1000 and fieldName<>'c902' order by sequence")
            .toString();
    const QString decimalField =
        connection()
            .scalar("select fieldName from dt_fieldlist where QueryType=2 and "
                    "sequence>0 and sequence<1000 order by sequence")
            .toString();
    const auto set = [&](int record, const QString& field, const QVariant& value) {
        connection().execute("update dt_data set [" + field + "]=? where c901=?",
                             {value, codes[size_t(record)][0]});
    };
    set(0, "c902", QStringLiteral("北京,朝阳－分会"));  // both: commas turn, hyphens stay
    set(1, "c902", QStringLiteral("上海－浦东－工会")); // hyphens only: turned
    set(2, "c902", QStringLiteral("a,b,c"));
    set(3, textField, QVariant());
    set(4, decimalField, 0.1);
    set(5, decimalField, 1234567.25);
    set(6, decimalField, 1e-7);
    set(7, decimalField, 1.5e20);
    set(8, decimalField, QVariant());
    set(9, decimalField, -2.5);
    set(10, "c903", QVariant());
    set(11, "c907", 2.6);
    set(12, decimalField, 1.0 / 3.0);
    ui.fileAnswers = {target("up")};
    ASSERT_TRUE(exchange::ExportOnline(connection(), ui));
    const QByteArray plain = decryptWithOpenssl(target("up.dat"), env.path("blocks"));
    EXPECT_EQ(plain, independentTable(connection()));
    QStringEncoder gbk("GBK");
    EXPECT_TRUE(plain.contains(QByteArray(gbk.encode(QStringLiteral(",北京，朝阳－分会,")))));
    EXPECT_TRUE(plain.contains(QByteArray(gbk.encode(QStringLiteral(",上海-浦东-工会,")))));
    EXPECT_TRUE(plain.contains(QByteArray(gbk.encode(QStringLiteral(",a，b，c,")))));
    for (const char* number :
         {",0.1,", ",1234567.25,", ",1E-7,", ",1.5E20,", ",-2.5,", ",0.333333333333333,"})
        EXPECT_TRUE(plain.contains(number)) << number;
    EXPECT_FALSE(QFile::exists(target("uptemp.dat")));
    EXPECT_FALSE(QFile::exists(target("up.dat.part")));
}

// The program may be killed at any step of either export: up to the end the
// target keeps its old contents and no working copy, plain text or partial
// upload file is there to be left behind.
TEST_F(UploadExportTest, NeitherExportHasAFileBesideItsTargetAtAnyStep) {
    addRecords(1200); // several steps of both jobs
    const QString temp = env.path("temp");
    QDir().mkpath(temp);
    QDir().mkpath(documents);
    writeFile(target("up.dat"), "earlier upload");
    qputenv("TEMP", temp.toUtf8());
    const auto files = [&] {
        const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        return QDir(documents).entryList(all) + QDir(temp).entryList(all);
    };
    exchange::OfflineExportJob offline(database().currentPath(),
                                       env.path(exchange::kExchangeTemplateName), "某工会",
                                       target("up.dat"));
    exchange::OnlineExportJob online(connection(), target("up.dat"), db::uploadKey());
    for (shell::LongJob* job : std::initializer_list<shell::LongJob*>{&offline, &online}) {
        writeFile(target("up.dat"), "earlier upload");
        job->start();
        int steps = 0;
        do {
            EXPECT_EQ(files(), QStringList{"up.dat"});
            EXPECT_EQ(readFile(target("up.dat")), "earlier upload");
            ++steps;
        } while (job->step());
        EXPECT_GT(steps, 2);
        EXPECT_EQ(files(), QStringList{"up.dat"});
        EXPECT_NE(readFile(target("up.dat")), "earlier upload");
    }
    qunsetenv("TEMP");
}

TEST_F(UploadExportTest, TextGbkCannotHoldStopsTheOnlineExportAndWritesNothing) {
    addRecords(5);
    const double code = connection().scalar("select max(c901) from dt_data").toDouble();
    connection().execute("update dt_data set c905=? where c901=?",
                         {QStringLiteral("王\U0001F600"), code});
    QDir().mkpath(documents);
    writeFile(target("old.dat"), "earlier upload");
    ui.fileAnswers = {target("old.dat")};
    EXPECT_FALSE(exchange::ExportOnline(connection(), ui));
    EXPECT_EQ(ui.messageTexts(),
              QStringList{"记录" + QString::number(qint64(code)) +
                          "的字段c905含有GBK编码不能表示的字符，不能导出上报数据!"});
    EXPECT_EQ(readFile(target("old.dat")), "earlier upload");
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"old.dat"});
}

TEST_F(UploadExportTest, AMissingTemplateWritesNoOfflineFile) {
    addRecords(2);
    QFile::remove(env.path(exchange::kExchangeTemplateName));
    ui.inputAnswers = {QString("某单位")};
    ui.fileAnswers = {target("x.dat")};
    EXPECT_FALSE(exportOffline());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, shell::MessageKind::Error);
    EXPECT_FALSE(QFile::exists(target("x.dat")));
}

TEST_F(UploadExportTest, AFailedOfflineExportKeepsAnEarlierFileWhole) {
    addRecords(2);
    QDir().mkpath(documents);
    writeFile(target("x.dat"), "earlier");
    // A template without ct_label makes the label's update fail at the end.
    db::Connection t;
    t.openProtected(env.path(exchange::kExchangeTemplateName), db::databasePassword());
    t.execute("drop table ct_label");
    t.saveProtected();
    t.close();
    EXPECT_FALSE(
        exchange::WriteOfflineFile(database().currentPath(), "某单位", target("x.dat"), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("运行中发生错误："));
    EXPECT_TRUE(ui.messages[0].text.endsWith(",请与软件发行者联系。"));
    EXPECT_EQ(readFile(target("x.dat")), "earlier");
    EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"x.dat"});
    EXPECT_EQ(connection().scalar("select db_name from ct_label").toString(), database().label());
}

struct CliRun {
    int code;
    QString out;
    QString messages;
};

CliRun runExport(const QStringList& arguments) {
    QString out;
    QTextStream stream(&out);
    kestrune::testing::CapturedConsole console(true);
    const int code = cli::runExport(arguments, console.ui, stream);
    stream.flush();
    return {code, out, console.messages() + console.errors()};
}

TEST_F(UploadExportTest, TheCommandLineWritesBothFilesAndRefusesUnreadyRecords) {
    addRecords(4);
    session.database.close();
    QDir().mkpath(documents);
    const CliRun offline = runExport({"--offline", "--label", "县总工会", "--out", target("o")});
    EXPECT_EQ(offline.code, 0) << offline.messages.toStdString();
    EXPECT_EQ(offline.out, target("o.dat") + "\n");
    EXPECT_EQ(openExchangeFile(target("o.dat")).scalar("select db_name from ct_label").toString(),
              "县总工会");
    const CliRun online = runExport({"--online", "--out", target("n.dat")});
    EXPECT_EQ(online.code, 0) << online.messages.toStdString();
    EXPECT_TRUE(QFile::exists(target("n.dat")));

    EXPECT_EQ(runExport({"--offline", "--label", "默认数据库", "--out", target("d")}).code, 1);
    EXPECT_EQ(runExport({"--online"}).code, 2);
    EXPECT_EQ(runExport({"--offline", "--out", target("d")}).code, 2);
    {
        db::Connection c;
        c.open(database().currentPath());
        c.execute("update dt_data set RecordState=0 where c901=(select min(c901) from dt_data)");
    }
    const CliRun refused = runExport({"--online", "--out", target("r.dat")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.messages.contains(exchange::kOnlineRefusal));
    EXPECT_FALSE(QFile::exists(target("r.dat")));
}

} // namespace
