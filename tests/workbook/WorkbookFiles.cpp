#include "WorkbookFiles.h"

#include "workbook/ZipPackage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace kestrune::workbook::testing {

QByteArray PartOf(const QString& path, const char* part) {
    for (const PackagePart& entry : ReadZipPackage(path))
        if (entry.name == part)
            return entry.bytes;
    return QByteArray();
}

QString SavedCell(const QString& path, const char* sheetPart, const QString& address) {
    const QString xml = QString::fromUtf8(PartOf(path, sheetPart));
    const QRegularExpression cell(
        QStringLiteral("<c r=\"%1\"(?:/>|[^/>]*/>|.*?</c>)").arg(address));
    return cell.match(xml).captured(0);
}

void KeepForOtherReaders(const QString& path, const QString& name) {
    const QByteArray folder = qgetenv("KESTRUNE_KEEP_WORKBOOKS");
    if (folder.isEmpty())
        return;
    const QString target = QDir(QString::fromLocal8Bit(folder)).filePath(name);
    QFile::remove(target);
    QFile::copy(path, target);
}

} // namespace kestrune::workbook::testing
