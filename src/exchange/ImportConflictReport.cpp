#include "ImportConflictReport.h"

#include "schema/DatabaseFiles.h"
#include "shell/ProgramFolder.h"
#include "text/GbkEncoder.h"

#include <QDir>

namespace kestrune::exchange {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// A unit code reads as the number it is: 12 digits, no decimal point.
QString codeText(const QVariant& code) {
    if (code.isNull())
        return QString();
    if (code.typeId() == QMetaType::Double)
        return QString::number(code.toDouble(), 'g', 15);
    return code.toString();
}

} // namespace

QString ConflictReportPath() {
    return QDir(shell::temporaryFolder()).filePath(kConflictReportName);
}

QByteArray ConflictReportText(const std::vector<CodeConflict>& conflicts) {
    text::GbkEncoder gbk;
    QByteArray bytes = gbk.encode(kConflictReportTitle) + kLineEnd;
    bytes += QByteArray(80, '-') + kLineEnd;
    for (const CodeConflict& conflict : conflicts)
        bytes += gbk.encode(QLatin1Char('(') + codeText(conflict.code) + QLatin1Char(',') +
                            conflict.name.toString() + QLatin1Char(')')) +
                 kLineEnd;
    return bytes;
}

QString WriteConflictReport(const std::vector<CodeConflict>& conflicts) {
    const QString path = ConflictReportPath();
    db::replaceFileContents(path, ConflictReportText(conflicts));
    return path;
}

} // namespace kestrune::exchange
