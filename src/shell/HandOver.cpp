#include "HandOver.h"

#include "Settings.h"
#include "UserInteraction.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>

namespace kestrune::shell {

QString NothingOpensMessage(const QString& path) {
    return QStringLiteral("文件已保存为%1，但本机没有可以打开它的程序，请用电子表格软件打开它。")
        .arg(QDir::toNativeSeparators(path));
}

QString HandOverFailedMessage(const QString& reason) {
    return QStringLiteral("保存文件时发生错误：") + reason;
}

QString FreeHandOverPath(const QString& folder, const QString& prefix, const QString& subject,
                         const QDate& day) {
    QString stem = prefix;
    if (!subject.isEmpty())
        stem += QLatin1Char('-') + subject;
    stem += QLatin1Char('-') + day.toString(QStringLiteral("yyyy-MM-dd"));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int copy = 2; QFile::exists(path); ++copy)
        path = dir.filePath(QStringLiteral("%1 (%2).xlsx").arg(stem).arg(copy));
    return path;
}

namespace {

// Takes the name at once, so that a second hand-over running at the same
// moment (another window, another program) cannot choose it too.
QString ReserveHandOverPath(const QString& folder, const QString& prefix, const QString& subject,
                            const QDate& day) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = FreeHandOverPath(folder, prefix, subject, day);
        QFile reservation(path);
        if (reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!QFile::exists(path))
            return QString(); // the folder refuses new files
    }
    return QString();
}

} // namespace

QString HandOverWorkbook(const workbook::Workbook& book, const QString& prefix,
                         const QString& subject, UserInteraction& ui, const QDate& day) {
    const QString folder = documentsFolder();
    if (!QDir().mkpath(folder)) {
        ui.showMessage(HandOverFailedMessage(QStringLiteral("无法建立文件夹") +
                                             QDir::toNativeSeparators(folder)),
                       MessageKind::Error);
        return QString();
    }
    const QString path = ReserveHandOverPath(folder, prefix, subject, day);
    if (path.isEmpty()) {
        ui.showMessage(HandOverFailedMessage(QStringLiteral("无法在文件夹") +
                                             QDir::toNativeSeparators(folder) +
                                             QStringLiteral("中建立文件")),
                       MessageKind::Error);
        return QString();
    }
    try {
        book.save(path);
    } catch (const workbook::WorkbookError& e) {
        QFile::remove(path); // the empty reservation
        ui.showMessage(HandOverFailedMessage(e.text()), MessageKind::Error);
        return QString();
    }
    if (!ui.openWithDefaultProgram(path))
        ui.showMessage(NothingOpensMessage(path), MessageKind::Warning);
    return path;
}

} // namespace kestrune::shell
