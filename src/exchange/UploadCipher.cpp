#include "UploadCipher.h"

#include "ExchangeFileError.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <memory>
#include <openssl/evp.h>

namespace kestrune::exchange {

namespace {

// Blocks are encrypted in runs of this many bytes (a multiple of the block
// size); ECB makes the result the same as block by block.
constexpr qint64 kRunSize = 1 << 16;

struct ContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

// AES-128 in ECB mode, encryption only, without the library's own padding:
// the caller hands whole blocks.
class BlockCipher {
public:
    explicit BlockCipher(const QByteArray& key) : context_(EVP_CIPHER_CTX_new()) {
        if (!context_ ||
            EVP_EncryptInit_ex(context_.get(), EVP_aes_128_ecb(), nullptr,
                               reinterpret_cast<const unsigned char*>(key.constData()),
                               nullptr) != 1 ||
            EVP_CIPHER_CTX_set_padding(context_.get(), 0) != 1)
            throw ExchangeFileError(QStringLiteral("AES initialisation failed"));
    }

    // `size` must be a multiple of the block size; `out` may equal `in`.
    void encrypt(const char* in, char* out, int size) {
        int written = 0;
        if (EVP_EncryptUpdate(context_.get(), reinterpret_cast<unsigned char*>(out), &written,
                              reinterpret_cast<const unsigned char*>(in), size) != 1 ||
            written != size)
            throw ExchangeFileError(QStringLiteral("AES encryption failed"));
    }

private:
    std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context_;
};

QByteArray lengthField(qint64 length) {
    QByteArray field(kLengthFieldSize, '\0');
    qToLittleEndian<qint64>(length, field.data());
    return field;
}

qint64 paddedSize(qint64 length) {
    return (length + kCipherBlockSize - 1) / kCipherBlockSize * kCipherBlockSize;
}

} // namespace

QByteArray CipherKeyBytes(const QString& keyString) {
    QByteArray key = keyString.toLatin1().left(kCipherBlockSize);
    key.append(kCipherBlockSize - key.size(), '\0');
    return key;
}

QByteArray EncryptBytes(const QByteArray& plain, const QString& keyString) {
    BlockCipher cipher(CipherKeyBytes(keyString));
    QByteArray blocks = plain;
    blocks.append(paddedSize(plain.size()) - plain.size(), '\0');
    if (!blocks.isEmpty())
        cipher.encrypt(blocks.constData(), blocks.data(), int(blocks.size()));
    return lengthField(plain.size()) + blocks;
}

void EncryptFile(const QString& source, const QString& target, const QString& keyString) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw ExchangeFileError(in.errorString());
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ExchangeFileError(out.errorString());
    BlockCipher cipher(CipherKeyBytes(keyString));
    qint64 remaining = in.size();
    const QByteArray header = lengthField(remaining);
    if (out.write(header) != header.size())
        throw ExchangeFileError(kStreamWriteError);
    QByteArray run;
    while (remaining > 0) {
        const qint64 wanted = std::min(remaining, kRunSize);
        run = in.read(wanted);
        if (run.size() != wanted)
            throw ExchangeFileError(kStreamReadError);
        run.append(paddedSize(wanted) - wanted, '\0');
        cipher.encrypt(run.constData(), run.data(), int(run.size()));
        if (out.write(run) != run.size())
            throw ExchangeFileError(kStreamWriteError);
        remaining -= wanted;
    }
    if (!out.flush())
        throw ExchangeFileError(kStreamWriteError);
}

struct UploadFileWriter::State {
    State(const QString& target, const QString& keyString)
        : file(target), cipher(CipherKeyBytes(keyString)) {}

    void put(const QByteArray& bytes) {
        if (file.write(bytes) != bytes.size())
            throw ExchangeFileError(kStreamWriteError);
    }

    QSaveFile file;
    BlockCipher cipher;
    QByteArray pending; // the text not yet filling a whole block
    qint64 length = 0;
};

UploadFileWriter::UploadFileWriter(const QString& target, const QString& keyString)
    : state_(std::make_unique<State>(target, keyString)) {
    if (!state_->file.open(QIODevice::WriteOnly))
        throw ExchangeFileError(state_->file.errorString());
    // The length is known only at the end; its place is kept.
    state_->put(lengthField(0));
}

UploadFileWriter::~UploadFileWriter() = default;

void UploadFileWriter::write(const QByteArray& text) {
    State& s = *state_;
    s.length += text.size();
    s.pending += text;
    const qsizetype whole = s.pending.size() / kCipherBlockSize * kCipherBlockSize;
    if (whole == 0)
        return;
    QByteArray blocks = s.pending.left(whole);
    s.pending.remove(0, whole);
    s.cipher.encrypt(blocks.constData(), blocks.data(), int(blocks.size()));
    s.put(blocks);
}

void UploadFileWriter::commit() {
    State& s = *state_;
    if (!s.pending.isEmpty()) {
        s.pending.append(kCipherBlockSize - s.pending.size(), '\0');
        s.cipher.encrypt(s.pending.constData(), s.pending.data(), int(s.pending.size()));
        s.put(s.pending);
        s.pending.clear();
    }
    if (!s.file.seek(0))
        throw ExchangeFileError(kStreamWriteError);
    s.put(lengthField(s.length));
    if (!s.file.commit())
        throw ExchangeFileError(kStreamWriteError);
}

} // namespace kestrune::exchange
