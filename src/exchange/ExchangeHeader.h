#pragma once

#include <QByteArray>
#include <QString>

namespace kestrune::exchange {

// Only the start of an offline exchange file is scrambled; the rest of the
// file is left as the engine wrote it.
constexpr int kScrambledHeaderSize = 1024;
// A database file begins with 0x00, so a scrambled one begins with this.
constexpr unsigned char kScrambledFirstByte = 0x05;
// A file whose 16-byte signature was overwritten begins with this byte.
constexpr unsigned char kLostSignatureFirstByte = 0x66;
constexpr int kSignatureSize = 16;

// The in-memory transforms behind the file routines, so that readers can
// work on bytes they hold without touching the chosen file. Each acts on the
// first min(size, 1024) bytes.
void ScrambleHeaderBytes(QByteArray& bytes);
// By the first byte: 0x05 unscrambles, 0x66 gets its signature written back,
// anything else is left alone, except a scrambled plain engine file (whose
// signature, "SQLite format 3", does not begin with 0x00), which is
// unscrambled too. The signature written back is the protected
// container's when the bytes after it hold that container's header, otherwise
// the plain engine file's ("SQLite format 3").
void RestoreHeaderBytes(QByteArray& bytes);

// b' = (b + 2) XOR 0x07 over the first 1024 bytes of the file, in place. A
// missing file is ignored. Throws ExchangeFileError when the file cannot be
// read or written.
void ScrambleHeader(const QString& path);
// RestoreHeaderBytes on the file, in place. A missing file is ignored.
void RestoreHeader(const QString& path);

} // namespace kestrune::exchange
