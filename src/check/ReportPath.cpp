#include "ReportPath.h"

#include <QDir>
#include <QFile>

namespace kestrune::check {

namespace {

const QString kNameStart = QStringLiteral("2020基层以上-");
const QString kNameEnd = QStringLiteral("-逻辑检查结果.txt");

// The longest name a directory entry holds on the usual file systems (ext4;
// NTFS counts UTF-16 units, which never exceed the UTF-8 bytes counted here),
// less the "." and six random characters of the temporary file the report is
// written to before it takes its name (QSaveFile's).
constexpr qsizetype kMaxNameBytes = 255 - 7;

bool unfitForFileName(QChar c) {
    return c.category() == QChar::Other_Control || QStringView(u"\\/:*?\"<>|").contains(c);
}

qsizetype nameBytes(const QString& label) {
    return QFile::encodeName(kNameStart + label + kNameEnd).size();
}

} // namespace

QString reportFileLabel(const QString& databaseLabel) {
    QString label = databaseLabel;
    for (QChar& c : label) {
        if (unfitForFileName(c))
            c = u'_';
    }
    while (!label.isEmpty() && nameBytes(label) > kMaxNameBytes) {
        // Whole characters only: a pair of surrogates goes together.
        const bool pair = label.size() >= 2 && label.back().isLowSurrogate() &&
                          label.at(label.size() - 2).isHighSurrogate();
        label.chop(pair ? 2 : 1);
    }
    return label;
}

QString checkReportPath(const QString& databaseLabel) {
    QString folder = qEnvironmentVariable("TEMP");
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(kNameStart + reportFileLabel(databaseLabel) + kNameEnd);
}

} // namespace kestrune::check
