#include "ReportPath.h"

#include <QDir>

namespace kestrune::check {

QString checkReportPath(const QString& databaseLabel) {
    QString folder = qEnvironmentVariable("TEMP");
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("2020基层以上-") + databaseLabel +
                                 QStringLiteral("-逻辑检查结果.txt"));
}

} // namespace kestrune::check
