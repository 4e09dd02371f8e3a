#include "StreamedPackage.h"

#include "WorkbookError.h"

#include <QDateTime>
#include <QDir>
#include <limits>

namespace kestrune::workbook {

namespace {

constexpr qint64 kCopyPiece = 1 << 20;
constexpr quint32 kLargestPlainZip = std::numeric_limits<quint32>::max();

[[noreturn]] void fail(const QString& what, const QString& reason) {
    throw WorkbookError(
        QStringLiteral("不能写入文件“%1”：%2").arg(QDir::toNativeSeparators(what), reason));
}

// `bytes` deflated on their own: sync-flushed to join others, or finished.
QByteArray deflated(const QByteArray& bytes, bool last) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw WorkbookError(QStringLiteral("不能压缩工作簿"));
    QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size())) + 16), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

void put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The fields local and central headers share, from "version needed" on.
void putEntryFields(QByteArray& out, quint32 dosTime, uLong crc, qint64 packed, qint64 size,
                    const std::string& name) {
    put16(out, 20);     // version needed: deflate
    put16(out, 0x0800); // names in UTF-8
    put16(out, 8);      // deflated
    put32(out, dosTime);
    put32(out, quint32(crc));
    put32(out, quint32(packed));
    put32(out, quint32(size));
    put16(out, quint32(name.size()));
    put16(out, 0); // no extra field
}

quint32 dosNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return quint32(((d.year() - 1980) << 25) | (d.month() << 21) | (d.day() << 16) |
                   (t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

} // namespace

DeflatedSpool::DeflatedSpool(QFile& file, QString what) : file_(file), what_(std::move(what)) {
    if (deflateInit2(&stream_, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw WorkbookError(QStringLiteral("不能压缩工作簿"));
    crc_ = crc32(0, nullptr, 0);
}

DeflatedSpool::~DeflatedSpool() {
    deflateEnd(&stream_);
}

void DeflatedSpool::append(const char* data, size_t size) {
    if (size == 0)
        return;
    crc_ = crc32(crc_, reinterpret_cast<const Bytef*>(data), uInt(size));
    rawSize_ += qint64(size);
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream_.avail_in = uInt(size);
    deflateInto(Z_NO_FLUSH);
}

void DeflatedSpool::close() {
    if (!open_)
        return;
    open_ = false;
    stream_.avail_in = 0;
    deflateInto(Z_SYNC_FLUSH);
    if (!file_.flush())
        fail(what_, file_.errorString());
}

void DeflatedSpool::deflateInto(int flush) {
    char out[1 << 16];
    do {
        stream_.next_out = reinterpret_cast<Bytef*>(out);
        stream_.avail_out = sizeof out;
        deflate(&stream_, flush);
        const qint64 produced = qint64(sizeof out - stream_.avail_out);
        if (produced > 0 && file_.write(out, produced) != produced)
            fail(what_, file_.errorString());
    } while (stream_.avail_out == 0);
}

void WriteSpooledPackage(const QString& path, const std::vector<SpooledPart>& parts) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(path, file.errorString());
    const quint32 dosTime = dosNow();
    QByteArray directory;
    auto write = [&](const QByteArray& bytes) {
        if (file.write(bytes) != bytes.size())
            fail(path, file.errorString());
    };
    for (const SpooledPart& part : parts) {
        const bool hasBody = part.body != nullptr;
        const QByteArray head = deflated(part.head, !hasBody && part.tail.isEmpty());
        const QByteArray tail =
            hasBody || !part.tail.isEmpty() ? deflated(part.tail, true) : QByteArray();
        QFile body(part.bodyFile);
        if (hasBody && !body.open(QIODevice::ReadOnly))
            fail(path, body.errorString());
        const qint64 bodyPacked = hasBody ? body.size() : 0;
        const qint64 bodySize = hasBody ? part.body->rawSize() : 0;
        uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(part.head.constData()), uInt(part.head.size()));
        if (hasBody)
            crc = crc32_combine(crc, part.body->crc(), bodySize);
        crc = crc32_combine(
            crc,
            crc32(0, reinterpret_cast<const Bytef*>(part.tail.constData()), uInt(part.tail.size())),
            part.tail.size());
        const qint64 packed = head.size() + bodyPacked + tail.size();
        const qint64 size = part.head.size() + bodySize + part.tail.size();
        const qint64 offset = file.pos();
        if (packed > kLargestPlainZip || size > kLargestPlainZip || offset > kLargestPlainZip)
            fail(path, QStringLiteral("工作簿超过了 4 GB"));

        QByteArray local;
        put32(local, 0x04034b50);
        putEntryFields(local, dosTime, crc, packed, size, part.name);
        local.append(part.name.data(), qsizetype(part.name.size()));
        write(local);
        write(head);
        for (qint64 copied = 0; copied < bodyPacked;) {
            const QByteArray piece = body.read(std::min(kCopyPiece, bodyPacked - copied));
            if (piece.isEmpty())
                fail(path, body.errorString());
            write(piece);
            copied += piece.size();
        }
        write(tail);

        put32(directory, 0x02014b50);
        put16(directory, 20); // made by: version 2.0
        putEntryFields(directory, dosTime, crc, packed, size, part.name);
        put16(directory, 0); // no comment
        put16(directory, 0); // disk 0
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, quint32(offset));
        directory.append(part.name.data(), qsizetype(part.name.size()));
    }
    const qint64 directoryOffset = file.pos();
    if (directoryOffset > kLargestPlainZip)
        fail(path, QStringLiteral("工作簿超过了 4 GB"));
    QByteArray end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, quint32(parts.size()));
    put16(end, quint32(parts.size()));
    put32(end, quint32(directory.size()));
    put32(end, quint32(directoryOffset));
    put16(end, 0);
    write(directory);
    write(end);
    if (!file.flush())
        fail(path, file.errorString());
    file.close();
}

} // namespace kestrune::workbook
