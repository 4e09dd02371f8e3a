#include "ProtectedFile.h"

#include "DatabaseFiles.h"
#include "EngineError.h"
#include "LargeBuffer.h"

#include <QFile>
#include <QtEndian>
#include <memory>
#include <mutex>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace kestrune::db::ProtectedFile {

namespace {

constexpr int kSaltSize = 16;
constexpr int kNonceSize = 12;
constexpr int kKeySize = 32;
constexpr quint32 kMaxIterations = 10'000'000;

const QString kDamaged = QStringLiteral("数据库文件的密码不正确或文件已经损坏");

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext newContext() {
    CipherContext ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!ctx)
        throw EngineError(QStringLiteral("无法建立加密环境"));
    return ctx;
}

QByteArray computeKey(const QString& password, const QByteArray& salt, quint32 iterations) {
    const QByteArray secret = password.toUtf8();
    QByteArray key(kKeySize, '\0');
    if (PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()),
                          int(salt.size()), int(iterations), EVP_sha256(), kKeySize,
                          reinterpret_cast<unsigned char*>(key.data())) != 1)
        throw EngineError(QStringLiteral("无法生成密钥"));
    return key;
}

// The key stretching is deliberately slow, and the same file (a template, an
// exchange file checked and then imported) is often opened again: the last
// derivation is remembered, so that it is paid once per salt.
QByteArray deriveKey(const QString& password, const QByteArray& salt, quint32 iterations) {
    struct Derivation {
        QString password;
        QByteArray salt;
        quint32 iterations = 0;
        QByteArray key;
    };
    static std::mutex lock;
    static Derivation last;
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!last.key.isEmpty() && last.iterations == iterations && last.salt == salt &&
            last.password == password)
            return last.key;
    }
    QByteArray key = computeKey(password, salt, iterations);
    const std::lock_guard<std::mutex> guard(lock);
    last = {password, salt, iterations, key};
    return key;
}

const unsigned char* bytes(const QByteArray& b) {
    return reinterpret_cast<const unsigned char*>(b.constData());
}
unsigned char* bytes(QByteArray& b) {
    return reinterpret_cast<unsigned char*>(b.data());
}

QByteArray randomBytes(int n) {
    QByteArray b(n, '\0');
    if (RAND_bytes(bytes(b), n) != 1)
        throw EngineError(QStringLiteral("无法生成随机数"));
    return b;
}

} // namespace

QByteArray signature() {
    return QByteArray("\0KESTRUNE-LOCKED", 16);
}

bool isProtected(const QByteArray& fileStart) {
    return fileStart.startsWith(signature());
}

bool isProtectedFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isProtected(file.read(16));
}

QByteArray seal(const QByteArray& plain, const QString& password) {
    const QByteArray salt = randomBytes(kSaltSize);
    const QByteArray nonce = randomBytes(kNonceSize);
    QByteArray header = signature();
    char word[4];
    qToLittleEndian<quint32>(kFormatVersion, word);
    header.append(word, 4);
    qToLittleEndian<quint32>(kIterations, word);
    header.append(word, 4);
    header.append(salt).append(nonce);

    const QByteArray key = deriveKey(password, salt, kIterations);
    CipherContext ctx = newContext();
    QByteArray cipher(plain.size(), '\0');
    int len = 0;
    bool ok = EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
              EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, kNonceSize, nullptr) == 1 &&
              EVP_EncryptInit_ex(ctx.get(), nullptr, nullptr, bytes(key), bytes(nonce)) == 1 &&
              EVP_EncryptUpdate(ctx.get(), nullptr, &len, bytes(header), int(header.size())) == 1;
    if (ok && !plain.isEmpty())
        ok =
            EVP_EncryptUpdate(ctx.get(), bytes(cipher), &len, bytes(plain), int(plain.size())) == 1;
    int tail = 0;
    QByteArray tag(kTagSize, '\0');
    ok = ok && EVP_EncryptFinal_ex(ctx.get(), nullptr, &tail) == 1 &&
         EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagSize, tag.data()) == 1;
    if (!ok)
        throw EngineError(QStringLiteral("加密数据库文件失败"));
    return header + cipher + tag;
}

QByteArray unseal(const QByteArray& sealed, const QString& password) {
    if (!isProtected(sealed))
        throw EngineError(QStringLiteral("不是受密码保护的数据库文件"), EngineFailure::NotDatabase);
    if (sealed.size() < kHeaderSize + kTagSize)
        throw EngineError(kDamaged, EngineFailure::NotDatabase);
    const quint32 version = qFromLittleEndian<quint32>(sealed.constData() + 16);
    if (version != kFormatVersion)
        throw EngineError(QStringLiteral("不支持的数据库文件格式版本 %1").arg(version),
                          EngineFailure::NotDatabase);
    const quint32 iterations = qFromLittleEndian<quint32>(sealed.constData() + 20);
    if (iterations == 0 || iterations > kMaxIterations)
        throw EngineError(kDamaged, EngineFailure::NotDatabase);
    // Read where they lie: the ciphertext of a large file is not copied
    // before it is decrypted.
    const auto* header = reinterpret_cast<const unsigned char*>(sealed.constData());
    const QByteArray salt = sealed.mid(24, kSaltSize);
    const unsigned char* nonce = header + 40;
    const unsigned char* cipher = header + kHeaderSize;
    const int cipherSize = int(sealed.size() - kHeaderSize - kTagSize);
    QByteArray tag = sealed.right(kTagSize);

    const QByteArray key = deriveKey(password, salt, iterations);
    CipherContext ctx = newContext();
    QByteArray plain = LargeBuffer(cipherSize);
    int len = 0;
    bool ok = EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1 &&
              EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, kNonceSize, nullptr) == 1 &&
              EVP_DecryptInit_ex(ctx.get(), nullptr, nullptr, bytes(key), nonce) == 1 &&
              EVP_DecryptUpdate(ctx.get(), nullptr, &len, header, kHeaderSize) == 1;
    if (ok && cipherSize > 0)
        ok = EVP_DecryptUpdate(ctx.get(), bytes(plain), &len, cipher, cipherSize) == 1;
    int tail = 0;
    ok = ok && EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagSize, tag.data()) == 1 &&
         EVP_DecryptFinal_ex(ctx.get(), nullptr, &tail) == 1;
    if (!ok)
        throw EngineError(kDamaged, EngineFailure::NotDatabase);
    return plain;
}

QByteArray read(const QString& path, const QString& password) {
    return unseal(readFileContents(path), password);
}

void write(const QString& path, const QByteArray& plain, const QString& password) {
    replaceFileContents(path, seal(plain, password));
}

void protect(const QString& path, const QString& password) {
    const QByteArray plain = readFileContents(path);
    if (isProtected(plain))
        throw EngineError(QStringLiteral("文件已经受密码保护"));
    write(path, plain, password);
}

void removePassword(const QString& path, const QString& password) {
    replaceFileContents(path, read(path, password));
}

} // namespace kestrune::db::ProtectedFile
