#include "schema/ProtectedFile.h"

#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::readFile;
using kestrune::testing::writeFile;
namespace pf = kestrune::db::ProtectedFile;

namespace {

class ProtectedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath("view.dll");
        db::createDatabase(path);
        db::Connection c;
        c.open(path);
        c.executeScript("CREATE TABLE ct_label (db_name TEXT);"
                        "INSERT INTO ct_label VALUES ('上报单位');"
                        "CREATE TABLE dt_data (c901 REAL, c902 TEXT);");
        c.close();
        plain = readFile(path);
        pf::protect(path, "secret9876");
    }

    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    QString path;
    QByteArray plain;
};

TEST_F(ProtectedFileTest, AProtectedFileBeginsWithZeroAndCarriesItsLayout) {
    const QByteArray sealed = readFile(path);
    EXPECT_EQ(sealed.left(16), QByteArray("\0KESTRUNE-LOCKED", 16));
    EXPECT_EQ(sealed.at(0), '\0');
    EXPECT_EQ(sealed.mid(16, 4), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(sealed.mid(20, 4), QByteArray("\xa0\x86\x01\0", 4)); // 100000 rounds
    EXPECT_EQ(sealed.size(), pf::kHeaderSize + plain.size() + pf::kTagSize);
    EXPECT_FALSE(sealed.contains("SQLite format 3"));
    EXPECT_TRUE(pf::isProtectedFile(path));
    EXPECT_EQ(pf::read(path, "secret9876"), plain);
}

TEST_F(ProtectedFileTest, TheEngineOpensItOnlyWithItsPassword) {
    db::Connection c;
    EXPECT_THROW(c.open(path), db::EngineError);
    c.openProtected(path, "secret9876");
    EXPECT_EQ(c.scalar("select db_name from ct_label").toString(), "上报单位");
    c.execute("update ct_label set db_name = ?", {"市总工会"});
    c.saveProtected();
    c.close();
    c.openProtected(path, "secret9876");
    EXPECT_EQ(c.scalar("select db_name from ct_label").toString(), "市总工会");
}

TEST_F(ProtectedFileTest, AWrongPasswordOrAFlippedByteIsRefusedAndChangesNothing) {
    const QByteArray sealed = readFile(path);
    db::Connection c;
    EXPECT_THROW(c.openProtected(path, "secret9877"), db::EngineError);
    EXPECT_THROW(pf::removePassword(path, "wrong"), db::EngineError);
    EXPECT_EQ(readFile(path), sealed);
    // A flipped byte in the header, the ciphertext or the tag.
    for (qsizetype at : {qsizetype(30), qsizetype(pf::kHeaderSize + 100), sealed.size() - 1}) {
        QByteArray damaged = sealed;
        damaged[at] = char(damaged[at] ^ 0x01);
        writeFile(path, damaged);
        EXPECT_THROW(c.openProtected(path, "secret9876"), db::EngineError) << at;
        EXPECT_THROW(pf::removePassword(path, "secret9876"), db::EngineError) << at;
        EXPECT_EQ(readFile(path), damaged) << at;
    }
    writeFile(path, sealed.left(40));
    EXPECT_THROW(pf::read(path, "secret9876"), db::EngineError);
    EXPECT_EQ(filesInDir(), QStringList{"view.dll"}); // no temporary file left behind
}

TEST_F(ProtectedFileTest, AFailedWriteSaysWhetherSpaceOrPermissionWasMissing) {
    try {
        db::replaceFileContents(dir.path() + "/no/such/folder/x.mdb", plain);
        ADD_FAILURE() << "written into a folder that does not exist";
    } catch (const db::EngineError& e) {
        EXPECT_EQ(e.failure(), db::EngineFailure::ReadOnly);
    }
    // No disk holds a petabyte.
    EXPECT_EQ(db::WriteFailure(path, qint64(1) << 50), db::EngineFailure::DiskFull);
    EXPECT_EQ(db::WriteFailure(path, 10), db::EngineFailure::Other);
    try {
        pf::removePassword(path, "wrong");
        ADD_FAILURE() << "opened with a wrong password";
    } catch (const db::EngineError& e) {
        EXPECT_EQ(e.failure(), db::EngineFailure::NotDatabase);
    }
}

TEST_F(ProtectedFileTest, RemovingThePasswordRestoresThePlainFileInPlace) {
    pf::removePassword(path, "secret9876");
    EXPECT_EQ(readFile(path), plain);
    EXPECT_FALSE(pf::isProtectedFile(path));
    EXPECT_EQ(filesInDir(), QStringList{"view.dll"});
    db::Connection c;
    c.open(path);
    EXPECT_TRUE(c.hasTable("CT_LABEL"));
}

TEST_F(ProtectedFileTest, AProtectedFileIsReachedThroughAttachAndWrittenBack) {
    const QString working = dir.filePath("work.db");
    db::createDatabase(working);
    db::Connection c;
    c.open(working);
    c.executeScript("CREATE TABLE dt_data (c901 REAL, c902 TEXT);"
                    "INSERT INTO dt_data VALUES (100000000001, '甲'), (100000000002, '乙');");
    EXPECT_THROW(c.attachProtected(path, "export", "nope"), db::EngineError);
    c.attachProtected(path, "export", "secret9876");
    c.execute("insert into export.dt_data select * from dt_data where c901 > ?", {100000000001.0});
    c.saveAttachedProtected("export", path, "secret9876");
    c.detach("export");
    db::Connection exported;
    exported.openProtected(path, "secret9876");
    EXPECT_EQ(exported.scalar("select c902 from dt_data").toString(), "乙");
    EXPECT_EQ(exported.scalar("select count(*) from dt_data").toInt(), 1);
}

TEST(ProtectedFileSealTest, EverySealIsFreshButOpensTheSame) {
    const QByteArray data("any bytes at all");
    const QByteArray a = pf::seal(data, "pw");
    const QByteArray b = pf::seal(data, "pw");
    EXPECT_NE(a, b); // new salt and nonce each time
    EXPECT_EQ(pf::unseal(a, "pw"), data);
    EXPECT_EQ(pf::unseal(b, "pw"), data);
    EXPECT_EQ(pf::unseal(pf::seal(QByteArray(), "pw"), "pw"), QByteArray());
    EXPECT_THROW(pf::unseal(data, "pw"), db::EngineError);
}

} // namespace
