#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace kestrune::exchange {

constexpr int kCipherBlockSize = 16;
// The plaintext's length in bytes precedes the cipher blocks.
constexpr int kLengthFieldSize = 8;

// The 16-byte AES key taken from a key string: its first min(16, length)
// bytes (single-byte characters), the rest zero.
QByteArray CipherKeyBytes(const QString& keyString);

// The upload file for `plain`: the length as signed 64-bit little-endian,
// then AES-128-ECB blocks, the last partial one zero-filled first.
QByteArray EncryptBytes(const QByteArray& plain, const QString& keyString);

// Writes the upload file of the whole of `source` to `target` (created or
// truncated). A short read throws ExchangeFileError "Stream read error", a
// short write "Stream write error"; the target is then incomplete, and both
// files are closed.
void EncryptFile(const QString& source, const QString& target, const QString& keyString);

// Writes an upload file while its text is still being made: the text is
// encrypted as it arrives into an unnamed temporary file beside `target`,
// the length field is filled in at commit(), and only then does the file
// take the target's place. Dropped before commit() (a failure, a stop, the
// program killed), it leaves the target as it was and nothing beside it. A
// short write throws ExchangeFileError "Stream write error".
class UploadFileWriter {
public:
    UploadFileWriter(const QString& target, const QString& keyString);
    ~UploadFileWriter();
    UploadFileWriter(const UploadFileWriter&) = delete;
    UploadFileWriter& operator=(const UploadFileWriter&) = delete;

    void write(const QByteArray& text);
    void commit();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace kestrune::exchange
