#include "ExchangeHeader.h"

#include "ExchangeFileError.h"
#include "schema/ProtectedFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace kestrune::exchange {

namespace {

const QByteArray kPlainSignature("SQLite format 3\0", kSignatureSize);

// What follows the signature tells the two kinds of engine file apart: the
// protected container carries its format version next, a plain file its page
// size and the fixed payload fractions 64, 32, 32 at offsets 21-23.
bool followsProtectedSignature(const QByteArray& bytes) {
    if (bytes.size() < kSignatureSize + 4)
        return false;
    const bool plainLayout = bytes.size() >= 24 && quint8(bytes[21]) == 64 &&
                             quint8(bytes[22]) == 32 && quint8(bytes[23]) == 32;
    const quint32 version = qFromLittleEndian<quint32>(bytes.constData() + kSignatureSize);
    return !plainLayout && version == db::ProtectedFile::kFormatVersion;
}

quint8 unscrambled(quint8 b) {
    return quint8((b ^ 0x07) - 2);
}

// A plain engine file begins with "SQLite format 3", not with 0x00, so its
// scrambled form does not begin with 0x05; it is recognised by its whole
// signature coming back.
bool isScrambledPlainFile(const QByteArray& bytes) {
    if (bytes.size() < kSignatureSize)
        return false;
    for (int i = 0; i < kSignatureSize; ++i)
        if (unscrambled(quint8(bytes[i])) != quint8(kPlainSignature[i]))
            return false;
    return true;
}

int headerLength(const QByteArray& bytes) {
    return int(std::min<qsizetype>(bytes.size(), kScrambledHeaderSize));
}

// The file's first 1024 bytes, changed by `transform` and written back.
template <typename Transform> void transformFileStart(const QString& path, Transform transform) {
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadWrite))
        throw ExchangeFileError(file.errorString());
    QByteArray start = file.read(kScrambledHeaderSize);
    const QByteArray before = start;
    transform(start);
    if (start == before)
        return;
    if (!file.seek(0) || file.write(start) != start.size() || !file.flush())
        throw ExchangeFileError(kStreamWriteError);
}

} // namespace

void ScrambleHeaderBytes(QByteArray& bytes) {
    char* data = bytes.data();
    for (int i = 0, n = headerLength(bytes); i < n; ++i)
        data[i] = char(quint8(quint8(data[i]) + 2) ^ 0x07);
}

void RestoreHeaderBytes(QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    const quint8 first = quint8(bytes[0]);
    if (first == kScrambledFirstByte || isScrambledPlainFile(bytes)) {
        char* data = bytes.data();
        for (int i = 0, n = headerLength(bytes); i < n; ++i)
            data[i] = char(unscrambled(quint8(data[i])));
    } else if (first == kLostSignatureFirstByte) {
        const QByteArray signature =
            followsProtectedSignature(bytes) ? db::ProtectedFile::signature() : kPlainSignature;
        bytes.replace(0, std::min<qsizetype>(kSignatureSize, bytes.size()),
                      signature.left(std::min<qsizetype>(kSignatureSize, bytes.size())));
    }
}

void ScrambleHeader(const QString& path) {
    transformFileStart(path, ScrambleHeaderBytes);
}

void RestoreHeader(const QString& path) {
    transformFileStart(path, RestoreHeaderBytes);
}

} // namespace kestrune::exchange
