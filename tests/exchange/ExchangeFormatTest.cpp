#include "exchange/ExchangeFileError.h"
#include "exchange/ExchangeHeader.h"
#include "exchange/UploadCipher.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/ProtectedFile.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <openssl/evp.h>

using namespace kestrune;
using kestrune::testing::readFile;
using kestrune::testing::writeFile;

namespace {

const QString kKey = QStringLiteral("0123456789abcdef");

// A plain database file of several pages.
QByteArray makePlainDatabase(const QString& path) {
    db::createDatabase(path);
    db::Connection c;
    c.open(path);
    c.executeScript("CREATE TABLE ct_label (db_name TEXT);"
                    "INSERT INTO ct_label VALUES ('上报单位');"
                    "CREATE TABLE dt_data (c901 REAL, c902 TEXT);");
    for (int i = 0; i < 200; ++i)
        c.execute("INSERT INTO dt_data VALUES (?, ?)", {i, QString(40, QChar(u'甲'))});
    c.close();
    return readFile(path);
}

// One AES-128 block encrypted by OpenSSL directly, independent of the
// routine under test.
QByteArray referenceBlock(const QByteArray& block, const QByteArray& key) {
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    unsigned char out[32];
    int n = 0;
    EVP_EncryptInit_ex(context, EVP_aes_128_ecb(), nullptr,
                       reinterpret_cast<const unsigned char*>(key.constData()), nullptr);
    EVP_CIPHER_CTX_set_padding(context, 0);
    EVP_EncryptUpdate(context, out, &n, reinterpret_cast<const unsigned char*>(block.constData()),
                      16);
    EVP_CIPHER_CTX_free(context);
    return QByteArray(reinterpret_cast<const char*>(out), 16);
}

class ExchangeFormatTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Encrypts `plain` through the file routine and returns the upload file.
    QByteArray encryptThroughFiles(const QByteArray& plain, const QString& key = kKey) {
        writeFile(path("plain.txt"), plain);
        exchange::EncryptFile(path("plain.txt"), path("upload.dat"), key);
        return readFile(path("upload.dat"));
    }

    QTemporaryDir dir;
};

TEST_F(ExchangeFormatTest, ScrambleThenRestoreGivesTheIdenticalFile) {
    makePlainDatabase(path("a.dat"));
    db::ProtectedFile::protect(path("a.dat"), "pw12345678");
    const QByteArray original = readFile(path("a.dat"));
    ASSERT_GT(original.size(), 4096);
    exchange::ScrambleHeader(path("a.dat"));
    const QByteArray scrambled = readFile(path("a.dat"));
    EXPECT_EQ(quint8(scrambled[0]), 0x05);
    // (b + 2) XOR 7 over the first 1024 bytes only.
    EXPECT_EQ(quint8(scrambled[1]), quint8((quint8(original[1]) + 2) ^ 7));
    EXPECT_EQ(quint8(scrambled[1023]), quint8((quint8(original[1023]) + 2) ^ 7));
    EXPECT_EQ(scrambled.mid(1024), original.mid(1024));
    EXPECT_NE(scrambled.left(1024), original.left(1024));

    exchange::RestoreHeader(path("a.dat"));
    EXPECT_EQ(readFile(path("a.dat")), original);
}

TEST_F(ExchangeFormatTest, RestoredFilesOpenAgainProtectedOrPlain) {
    makePlainDatabase(path("p.dat"));
    db::ProtectedFile::protect(path("p.dat"), "pw12345678");
    exchange::ScrambleHeader(path("p.dat"));
    exchange::RestoreHeader(path("p.dat"));
    db::Connection c;
    c.openProtected(path("p.dat"), "pw12345678");
    EXPECT_EQ(c.scalar("select db_name from ct_label").toString(), QStringLiteral("上报单位"));
    c.close();

    // A plain file begins with "SQLite format 3": scrambled it begins with
    // 0x52, and is still recognised by its whole signature.
    const QByteArray plain = makePlainDatabase(path("q.dat"));
    exchange::ScrambleHeader(path("q.dat"));
    EXPECT_EQ(quint8(readFile(path("q.dat"))[0]), 0x52);
    EXPECT_THROW(c.open(path("q.dat")), db::EngineError);
    exchange::RestoreHeader(path("q.dat"));
    EXPECT_EQ(readFile(path("q.dat")), plain);
    c.open(path("q.dat"));
    EXPECT_EQ(c.scalar("select count(*) from dt_data").toInt(), 200);
}

TEST_F(ExchangeFormatTest, OtherFirstBytesAreLeftAloneAndMissingFilesIgnored) {
    const QByteArray original = makePlainDatabase(path("a.dat"));
    exchange::RestoreHeader(path("a.dat")); // first byte 'S'
    EXPECT_EQ(readFile(path("a.dat")), original);
    QByteArray zero = original;
    zero[0] = '\0';
    writeFile(path("z.dat"), zero);
    exchange::RestoreHeader(path("z.dat"));
    EXPECT_EQ(readFile(path("z.dat")), zero);

    exchange::ScrambleHeader(path("missing.dat"));
    exchange::RestoreHeader(path("missing.dat"));
    EXPECT_FALSE(QFile::exists(path("missing.dat")));
}

TEST_F(ExchangeFormatTest, A0x66FileGetsOnlyItsSignatureBackPlainOrProtected) {
    const QByteArray plain = makePlainDatabase(path("plain.db"));
    QByteArray damaged = plain;
    damaged.replace(0, 16, QByteArray(16, char(0x66)));
    writeFile(path("plain66.dat"), damaged);
    exchange::RestoreHeader(path("plain66.dat"));
    EXPECT_EQ(readFile(path("plain66.dat")), plain);

    db::ProtectedFile::protect(path("plain.db"), "pw12345678");
    const QByteArray sealed = readFile(path("plain.db"));
    damaged = sealed;
    damaged.replace(0, 16, QByteArray("\x66garbage-header", 16));
    writeFile(path("sealed66.dat"), damaged);
    exchange::RestoreHeader(path("sealed66.dat"));
    EXPECT_EQ(readFile(path("sealed66.dat")), sealed);
    EXPECT_EQ(readFile(path("sealed66.dat")).left(16), db::ProtectedFile::signature());
}

TEST_F(ExchangeFormatTest, InMemoryTransformsMatchTheFileRoutines) {
    const QByteArray original = makePlainDatabase(path("a.dat"));
    QByteArray bytes = original;
    exchange::ScrambleHeaderBytes(bytes);
    exchange::ScrambleHeader(path("a.dat"));
    EXPECT_EQ(bytes, readFile(path("a.dat")));
    exchange::RestoreHeaderBytes(bytes);
    EXPECT_EQ(bytes, original);

    QByteArray shortFile("\x00\x01\x02", 3);
    exchange::ScrambleHeaderBytes(shortFile);
    EXPECT_EQ(shortFile, QByteArray("\x05\x04\x03", 3));
    exchange::RestoreHeaderBytes(shortFile);
    EXPECT_EQ(shortFile, QByteArray("\x00\x01\x02", 3));
}

TEST_F(ExchangeFormatTest, UploadFileSizesFollowTheLengthAndZeroPadding) {
    const QByteArray empty = encryptThroughFiles({});
    EXPECT_EQ(empty, QByteArray(8, '\0'));

    const QByteArray two = encryptThroughFiles(QByteArray(32, 'x'));
    EXPECT_EQ(two.size(), 40);
    EXPECT_EQ(two.left(8), QByteArray("\x20\0\0\0\0\0\0\0", 8));

    QByteArray plain(33, 'y');
    plain[32] = 'Z';
    const QByteArray three = encryptThroughFiles(plain);
    ASSERT_EQ(three.size(), 56);
    EXPECT_EQ(three.left(8), QByteArray("\x21\0\0\0\0\0\0\0", 8));
    const QByteArray key = exchange::CipherKeyBytes(kKey);
    EXPECT_EQ(three.mid(40, 16), referenceBlock(QByteArray("Z") + QByteArray(15, '\0'), key));
    EXPECT_EQ(three.mid(8, 16), referenceBlock(plain.left(16), key));
    EXPECT_EQ(exchange::EncryptBytes(plain, kKey), three);
}

TEST_F(ExchangeFormatTest, EqualBlocksEncryptEquallyAndTheFirstBlockIsFips197) {
    // FIPS-197 appendix C.1.
    const QByteArray key = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
    const QByteArray block = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    const QByteArray file = encryptThroughFiles(block + block, QString::fromLatin1(key));
    EXPECT_EQ(file.mid(8, 16).toHex(), "69c4e0d86a7b0430d8cdb78070b4c55a");
    EXPECT_EQ(file.mid(8, 16), file.mid(24, 16));
}

TEST_F(ExchangeFormatTest, KeyStringsArePaddedWithZerosOrCut) {
    EXPECT_EQ(exchange::CipherKeyBytes("abc"), QByteArray("abc") + QByteArray(13, '\0'));
    EXPECT_EQ(exchange::CipherKeyBytes("0123456789abcdefXYZ"), QByteArray("0123456789abcdef"));
    const QByteArray block(16, 'q');
    EXPECT_EQ(encryptThroughFiles(block, "abc").mid(8),
              referenceBlock(block, QByteArray("abc") + QByteArray(13, '\0')));
}

TEST_F(ExchangeFormatTest, LargeFilesEncryptAsTheirBlocksWouldAlone) {
    QByteArray plain;
    for (int i = 0; i < 200000; ++i)
        plain.append(char(i * 7));
    const QByteArray file = encryptThroughFiles(plain);
    ASSERT_EQ(file.size(), 8 + 200000);
    const QByteArray key = exchange::CipherKeyBytes(kKey);
    EXPECT_EQ(file.mid(8 + 65536, 16), referenceBlock(plain.mid(65536, 16), key));
    EXPECT_EQ(file.right(16), referenceBlock(plain.right(16), key));
}

TEST_F(ExchangeFormatTest, TheOpensslToolDecryptsTheUploadFile) {
    const QByteArray plain = QByteArray("c901,c902,\r\n12,") + QByteArray(21, 'w');
    const QByteArray file = encryptThroughFiles(plain);
    writeFile(path("blocks.bin"), file.mid(8));
    QProcess openssl;
    openssl.start("openssl", {"enc", "-d", "-aes-128-ecb", "-nopad", "-K",
                              QString::fromLatin1(exchange::CipherKeyBytes(kKey).toHex()), "-in",
                              path("blocks.bin")});
    ASSERT_TRUE(openssl.waitForFinished(10000));
    ASSERT_EQ(openssl.exitCode(), 0) << openssl.readAllStandardError().toStdString();
    const QByteArray decrypted = openssl.readAllStandardOutput();
    ASSERT_EQ(decrypted.size(), 48);
    EXPECT_EQ(decrypted.left(plain.size()), plain);
    EXPECT_EQ(decrypted.mid(plain.size()), QByteArray(48 - plain.size(), '\0'));
}

// The text arrives in pieces that rarely end on a block boundary; the file
// must be the one the whole text gives, and nothing until it is committed.
TEST_F(ExchangeFormatTest, TheStreamingWriterGivesTheWholeTextsFileOnlyAtCommit) {
    QByteArray plain;
    for (int i = 0; i < 3000; ++i)
        plain += QByteArray::number(i * 7919) + (i % 5 ? "," : "\r\n");
    writeFile(path("u.dat"), "earlier upload");
    {
        exchange::UploadFileWriter writer(path("u.dat"), kKey);
        for (qsizetype at = 0, piece = 1; at < plain.size();
             at += piece, piece = piece * 3 % 97 + 1)
            writer.write(plain.mid(at, piece));
        EXPECT_EQ(readFile(path("u.dat")), "earlier upload");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"u.dat"});
        writer.commit();
    }
    EXPECT_EQ(readFile(path("u.dat")), exchange::EncryptBytes(plain, kKey));
    {
        exchange::UploadFileWriter dropped(path("u.dat"), kKey);
        dropped.write(plain);
    }
    EXPECT_EQ(readFile(path("u.dat")), exchange::EncryptBytes(plain, kKey));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"u.dat"});
}

TEST_F(ExchangeFormatTest, AnUnreadableSourceOrUnwritableTargetIsReported) {
    EXPECT_THROW(exchange::EncryptFile(path("none.txt"), path("u.dat"), kKey),
                 exchange::ExchangeFileError);
    writeFile(path("plain.txt"), "abc");
    EXPECT_THROW(exchange::EncryptFile(path("plain.txt"), path("no/such/u.dat"), kKey),
                 exchange::ExchangeFileError);
}

TEST_F(ExchangeFormatTest, AFullDiskIsAStreamWriteError) {
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    writeFile(path("plain.txt"), QByteArray(100000, 'a'));
    try {
        exchange::EncryptFile(path("plain.txt"), "/dev/full", kKey);
        FAIL() << "no error";
    } catch (const exchange::ExchangeFileError& e) {
        EXPECT_EQ(e.text(), exchange::kStreamWriteError);
    }
}

} // namespace
