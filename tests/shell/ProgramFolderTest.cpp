#include "shell/ProgramFolder.h"

#include "schema/ProtectedFile.h"
#include "shell/ProgramFolderSeed.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using kestrune::testing::builtProgramFile;
using kestrune::testing::readFile;
using kestrune::testing::writeFile;

namespace {

const QString kPrintTemplate = QStringLiteral("2020打印表.xlt");
const QString kSumTemplate = QStringLiteral("2020基层以上汇总表.xlt");
const QString kNote = QStringLiteral("notes/TableNotesJG-01.rtf");

// One environment variable set (or removed, for an empty value) while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~ScopedVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

void writeAt(const QString& path, const QByteArray& bytes, const QDateTime& modified) {
    QDir().mkpath(QFileInfo(path).path());
    writeFile(path, bytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

// A package's files and a person's program folder in one temporary directory.
class SeedTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString package = dir.filePath("usr/share/kestrune");
    QString program = dir.filePath("home/.local/share/Brenvatik/Kestrune");
    QDateTime built = QDateTime::currentDateTime().addDays(-1);

    void SetUp() override {
        for (const QString& name :
             {kDefaultDatabaseName, QStringLiteral("view.dll"), kPrintTemplate, kSumTemplate,
              QStringLiteral("exporttable.jg"), kNote})
            writeAt(packageFile(name), "package " + name.toUtf8(), built);
    }
    QString packageFile(const QString& name) const { return QDir(package).filePath(name); }
    QString programFile(const QString& name) const { return QDir(program).filePath(name); }
    QByteArray programBytes(const QString& name) const { return readFile(programFile(name)); }
    QStringList leftovers() const {
        QStringList found;
        for (const QString& folder : {program, program + "/notes"})
            found << QDir(folder).entryList({"~seed-*"}, QDir::Files | QDir::Hidden);
        return found;
    }
};

TEST_F(SeedTest, TheFirstStartCopiesEveryFileWithTheTimeItWasBuilt) {
    const SeedOutcome outcome = SeedProgramFolder(package, program);
    QStringList copied = outcome.copied;
    copied.sort();
    EXPECT_EQ(copied, QStringList({"2020NB_jg_20200831.mdb", kSumTemplate, kPrintTemplate,
                                   "exporttable.jg", kNote, "view.dll"}));
    EXPECT_TRUE(outcome.refreshed.isEmpty());
    EXPECT_TRUE(outcome.failed.isEmpty());
    for (const QString& name : copied) {
        EXPECT_EQ(programBytes(name), "package " + name.toUtf8());
        EXPECT_EQ(QFileInfo(programFile(name)).lastModified(), built) << name.toStdString();
    }
    EXPECT_TRUE(leftovers().isEmpty());

    // A second start finds everything in place and copies nothing.
    const SeedOutcome again = SeedProgramFolder(package, program);
    EXPECT_TRUE(again.copied.isEmpty() && again.refreshed.isEmpty() && again.failed.isEmpty());
}

TEST_F(SeedTest, AnUpdateReplacesOnlyTheFilesThatFollowTheCatalogue) {
    SeedProgramFolder(package, program);
    const QDateTime used = built.addSecs(600);
    writeAt(programFile(kDefaultDatabaseName), "records", used);
    writeAt(programFile(kSumTemplate), "edited summary", used);
    writeAt(programFile("exporttable.jg"), "[ ] edited", used);
    QFile::remove(programFile("view.dll"));

    // The updated package, built after the person's changes.
    const QDateTime updated = used.addDays(1);
    for (const QString& name :
         {kDefaultDatabaseName, kPrintTemplate, kSumTemplate, QStringLiteral("exporttable.jg"),
          kNote, QStringLiteral("view.dll")})
        writeAt(packageFile(name), "update " + name.toUtf8(), updated);

    const SeedOutcome outcome = SeedProgramFolder(package, program);
    EXPECT_EQ(outcome.copied, QStringList({"view.dll"}));
    QStringList refreshed = outcome.refreshed;
    refreshed.sort();
    EXPECT_EQ(refreshed, QStringList({kPrintTemplate, kNote}));
    EXPECT_EQ(programBytes(kDefaultDatabaseName), "records");
    EXPECT_EQ(programBytes(kSumTemplate), "edited summary");
    EXPECT_EQ(programBytes("exporttable.jg"), "[ ] edited");
    EXPECT_EQ(programBytes(kPrintTemplate), "update " + kPrintTemplate.toUtf8());
    EXPECT_EQ(programBytes(kNote), "update " + kNote.toUtf8());
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(SeedTest, AnOlderPackageNeverReplacesANewerTemplate) {
    SeedProgramFolder(package, program);
    writeAt(programFile(kPrintTemplate), "newer", built.addDays(1));
    const SeedOutcome outcome = SeedProgramFolder(package, program);
    EXPECT_TRUE(outcome.refreshed.isEmpty());
    EXPECT_EQ(programBytes(kPrintTemplate), "newer");
}

TEST_F(SeedTest, AFileThatCannotBeCopiedIsNamedAndTheOthersAreCopied) {
    // A file where the notes' folder belongs: no note can be written.
    writeAt(programFile("notes"), "in the way", built);
    const SeedOutcome outcome = SeedProgramFolder(package, program);
    EXPECT_EQ(outcome.failed, QStringList({kNote}));
    EXPECT_EQ(outcome.copied.size(), 5);
    EXPECT_EQ(programBytes("notes"), "in the way");
    EXPECT_TRUE(QDir(program).entryList({"~seed-*"}, QDir::Files | QDir::Hidden).isEmpty());
}

// An installed layout: <prefix>/bin with the package's files in
// <prefix>/share/kestrune, and a home of its own.
class InstalledLayoutTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString bin = dir.filePath("usr/bin");
    QString shared = dir.filePath("usr/share/kestrune");
    QString dataHome = dir.filePath("home/.local/share");
    ScopedVariable home{"HOME", dir.filePath("home")};
    ScopedVariable xdgDataHome{"XDG_DATA_HOME", dataHome};
    ScopedVariable kestruneHome{"KESTRUNE_HOME", QString()};
    ScopedVariable settings{"KESTRUNE_SETTINGS_DIR", dir.filePath("settings")};

    void SetUp() override {
        QDir().mkpath(bin);
        QDir().mkpath(shared);
    }
    QString personsFolder() const { return dataHome + "/Brenvatik/Kestrune"; }
};

TEST_F(InstalledLayoutTest, TheDatabaseBesideTheExecutableOrInThePackageChoosesTheFolder) {
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName("Brenvatik");
    QCoreApplication::setApplicationName("Kestrune");

    // Without the package's database: the executable's folder, as before.
    EXPECT_EQ(programFolderFor(bin), bin);
    writeFile(shared + "/" + kDefaultDatabaseName, "package");
    EXPECT_EQ(packageFilesFor(bin), shared);
    EXPECT_EQ(programFolderFor(bin), personsFolder());
    // A database beside the executable: a copy kept in one folder.
    writeFile(bin + "/" + kDefaultDatabaseName, "beside");
    EXPECT_EQ(programFolderFor(bin), bin);

    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);
}

TEST_F(InstalledLayoutTest, TheInstalledCommandLineStartsOnThePersonsSeededFolder) {
    ASSERT_TRUE(QFile::copy(KESTRUNE_CLI, bin + "/kestrune-cli"));
    for (const QString& name : {kDefaultDatabaseName, QStringLiteral("view.dll")})
        ASSERT_TRUE(QFile::copy(builtProgramFile(name), shared + "/" + name));

    const auto info = [&] {
        QProcess cli;
        cli.start(bin + "/kestrune-cli", {"info"});
        cli.waitForFinished(60000);
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return QString::fromUtf8(cli.readAllStandardOutput());
    };
    const QString database = personsFolder() + "/" + kDefaultDatabaseName;
    EXPECT_EQ(info(), "数据库文件：" + database + "\n数据库标签：默认数据库\n记录数：0\n");
    // The first opening removed the password of the person's copy, not the package's.
    EXPECT_FALSE(kestrune::db::ProtectedFile::isProtectedFile(database));
    EXPECT_TRUE(kestrune::db::ProtectedFile::isProtectedFile(shared + "/" + kDefaultDatabaseName));
    EXPECT_EQ(readFile(personsFolder() + "/view.dll"), readFile(shared + "/view.dll"));

    // The next start keeps the person's database as it is.
    const QByteArray opened = readFile(database);
    info();
    EXPECT_EQ(readFile(database), opened);
}

} // namespace
