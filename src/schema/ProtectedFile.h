#pragma once

#include <QByteArray>
#include <QString>

namespace kestrune::db {

// A password-protected database file: a plain SQLite file sealed with
// AES-256-GCM under a key derived from the password with PBKDF2-HMAC-SHA256.
//
// Layout (integers little-endian):
//   0   16  signature "\0KESTRUNE-LOCKED" (begins with 0x00, like an engine file)
//   16   4  format version (1)
//   20   4  PBKDF2 iteration count
//   24  16  salt
//   40  12  GCM nonce
//   52   n  ciphertext of the whole SQLite file
//   52+n 16 GCM tag
// The 52 header bytes are the associated data, so changing any of them, the
// ciphertext or the tag makes opening fail.
namespace ProtectedFile {

constexpr int kHeaderSize = 52;
constexpr int kTagSize = 16;
constexpr quint32 kFormatVersion = 1;
constexpr quint32 kIterations = 100000;

QByteArray signature();
bool isProtected(const QByteArray& fileStart);
bool isProtectedFile(const QString& path);

QByteArray seal(const QByteArray& plain, const QString& password);
// Throws EngineError for a wrong password, a damaged file or another format.
QByteArray unseal(const QByteArray& sealed, const QString& password);

QByteArray read(const QString& path, const QString& password);
// Replaces the file atomically (temporary file, then rename).
void write(const QString& path, const QByteArray& plain, const QString& password);
void protect(const QString& path, const QString& password);
// Turns a protected file back into the plain database for good, atomically.
void removePassword(const QString& path, const QString& password);

} // namespace ProtectedFile

} // namespace kestrune::db
