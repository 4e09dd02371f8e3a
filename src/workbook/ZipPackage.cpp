#include "ZipPackage.h"

#include "WorkbookError.h"

#include <QFile>
#include <memory>
#include <zip.h>

namespace kestrune::workbook {

namespace {

QString ZipErrorText(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

} // namespace

PackageParts ReadZipPackage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WorkbookError(
            QStringLiteral("无法打开工作簿文件 %1：%2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    if (source == nullptr)
        throw WorkbookError(
            QStringLiteral("无法读取工作簿文件 %1：%2").arg(path, ZipErrorText(&error)));
    std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        const QString reason = ZipErrorText(&error);
        zip_error_fini(&error);
        throw WorkbookError(
            QStringLiteral("%1 不是工作簿文件（不是 zip 压缩包：%2）").arg(path, reason));
    }

    PackageParts parts;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0)
            continue;
        std::string name = stat.name;
        if (!name.empty() && name.back() == '/')
            continue; // a folder entry
        zip_file_t* entry = zip_fopen_index(archive.get(), index, 0);
        if (entry == nullptr)
            throw WorkbookError(QStringLiteral("工作簿文件 %1 已损坏：%2 无法读取")
                                    .arg(path, QString::fromStdString(name)));
        QByteArray data(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(entry, data.data(), stat.size);
        zip_fclose(entry);
        if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
            throw WorkbookError(QStringLiteral("工作簿文件 %1 已损坏：%2 无法读取")
                                    .arg(path, QString::fromStdString(name)));
        parts.push_back({std::move(name), std::move(data)});
    }
    return parts;
}

QByteArray WriteZipPackage(const PackageParts& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (target == nullptr)
        throw WorkbookError(QStringLiteral("无法生成工作簿：%1").arg(ZipErrorText(&error)));
    zip_source_keep(target); // read back after the archive is closed
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(target);
        throw WorkbookError(QStringLiteral("无法生成工作簿：%1").arg(ZipErrorText(&error)));
    }
    for (const PackagePart& part : parts) {
        // The archive reads the bytes only when it is closed; `parts` outlives that.
        zip_source_t* source = zip_source_buffer(archive, part.bytes.constData(),
                                                 static_cast<zip_uint64_t>(part.bytes.size()), 0);
        if (source == nullptr || zip_file_add(archive, part.name.c_str(), source,
                                              ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            zip_source_free(source);
            zip_discard(archive);
            zip_source_free(target);
            throw WorkbookError(QStringLiteral("无法生成工作簿：%1").arg(reason));
        }
    }
    if (zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(target);
        throw WorkbookError(QStringLiteral("无法生成工作簿：%1").arg(reason));
    }
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(target, &stat) == 0 && zip_source_open(target) == 0) {
        bytes.resize(static_cast<qsizetype>(stat.size));
        const zip_int64_t read = zip_source_read(target, bytes.data(), stat.size);
        zip_source_close(target);
        if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
            bytes.clear();
    }
    zip_source_free(target);
    if (bytes.isEmpty())
        throw WorkbookError(QStringLiteral("无法生成工作簿：压缩包无法读回"));
    return bytes;
}

} // namespace kestrune::workbook
