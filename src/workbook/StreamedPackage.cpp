#include "StreamedPackage.h"

#include "WorkbookError.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <zip.h>

namespace kestrune::workbook {

namespace {

// The reading side of one spooled part, as libzip asks for it.
struct SpooledReader {
    const SpooledPart* part = nullptr;
    QFile body;
    qint64 bodySize = 0;
    qint64 position = 0; // over head, body and tail together
    zip_error_t error;

    qint64 size() const { return part->head.size() + bodySize + part->tail.size(); }

    zip_int64_t read(char* out, zip_uint64_t wanted) {
        qint64 given = 0;
        while (given < qint64(wanted) && position < size()) {
            const qint64 room = qint64(wanted) - given;
            qint64 piece = 0;
            if (position < part->head.size()) {
                piece = std::min(room, part->head.size() - position);
                std::memcpy(out + given, part->head.constData() + position, size_t(piece));
            } else if (position < part->head.size() + bodySize) {
                piece =
                    body.read(out + given, std::min(room, part->head.size() + bodySize - position));
                if (piece <= 0) {
                    zip_error_set(&error, ZIP_ER_READ, EIO);
                    return -1;
                }
            } else {
                const qint64 at = position - part->head.size() - bodySize;
                piece = std::min(room, part->tail.size() - at);
                std::memcpy(out + given, part->tail.constData() + at, size_t(piece));
            }
            given += piece;
            position += piece;
        }
        return given;
    }
};

zip_int64_t ReadSpooled(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* reader = static_cast<SpooledReader*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        reader->position = 0;
        if (!reader->part->bodyFile.isEmpty()) {
            reader->body.setFileName(reader->part->bodyFile);
            if (!reader->body.open(QIODevice::ReadOnly)) {
                zip_error_set(&reader->error, ZIP_ER_OPEN, ENOENT);
                return -1;
            }
            reader->bodySize = reader->body.size();
        }
        return 0;
    case ZIP_SOURCE_READ:
        return reader->read(static_cast<char*>(data), length);
    case ZIP_SOURCE_CLOSE:
        reader->body.close();
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        if (!reader->part->bodyFile.isEmpty())
            reader->bodySize = QFile(reader->part->bodyFile).size();
        stat->size = zip_uint64_t(reader->size());
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&reader->error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&reader->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw WorkbookError(
        QStringLiteral("不能写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

void WriteSpooledPackage(const QString& path, const std::vector<SpooledPart>& parts) {
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString reason = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        fail(path, reason);
    }
    std::vector<std::unique_ptr<SpooledReader>> readers;
    for (const SpooledPart& part : parts) {
        auto reader = std::make_unique<SpooledReader>();
        reader->part = &part;
        zip_error_init(&reader->error);
        zip_source_t* source = zip_source_function(archive, ReadSpooled, reader.get());
        const zip_int64_t index =
            source ? zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            fail(path, reason);
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
        readers.push_back(std::move(reader));
    }
    if (zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        fail(path, reason);
    }
}

} // namespace kestrune::workbook
