#pragma once

#include <QByteArray>
#include <QString>

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

} // namespace kestrune::exchange
