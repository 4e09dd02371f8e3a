#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>
#include <vector>
#include <zlib.h>

namespace kestrune::workbook {

// Bytes deflated as they come into a file: a raw deflate stream at the
// fastest level, left open at a byte boundary so that a package can put
// other deflated pieces before and after it. Errors throw WorkbookError.
class DeflatedSpool {
public:
    // `file` is open for writing; `what` names the target in messages.
    DeflatedSpool(QFile& file, QString what);
    ~DeflatedSpool();
    DeflatedSpool(const DeflatedSpool&) = delete;
    DeflatedSpool& operator=(const DeflatedSpool&) = delete;

    void append(const char* data, size_t size);
    // Flushes what is left; nothing may be appended after.
    void close();

    uLong crc() const { return crc_; }
    qint64 rawSize() const { return rawSize_; }

private:
    void deflateInto(int flush);

    QFile& file_;
    QString what_;
    z_stream stream_{};
    uLong crc_ = 0;
    qint64 rawSize_ = 0;
    bool open_ = true;
};

// One part of a zip package: `head`, then the spooled deflated body (if
// any), then `tail`.
struct SpooledPart {
    std::string name;
    QByteArray head;
    const DeflatedSpool* body = nullptr;
    QString bodyFile;
    QByteArray tail;
};

// Writes the zip archive of `parts` to `path` (an existing file is
// replaced); the bodies are copied from their files in pieces, never held
// whole. WorkbookError when it cannot be written.
void WriteSpooledPackage(const QString& path, const std::vector<SpooledPart>& parts);

} // namespace kestrune::workbook
