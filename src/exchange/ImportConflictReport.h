#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace kestrune::exchange {

inline const QString kConflictReportName = QStringLiteral("数据导入编号冲突.txt");
inline const QString kConflictReportTitle =
    QStringLiteral("在准备导入的文件中，如下的记录与现有的记录发生编号冲突");

// One record of an import whose unit code is taken.
struct CodeConflict {
    QVariant code; // c901
    QVariant name; // c902
};

// Where the report goes: the temporary folder (the TEMP variable).
QString ConflictReportPath();

// The report's bytes: the title, 80 hyphens, then "(c901,c902)" per record,
// in GBK, every line ending CR LF.
QByteArray ConflictReportText(const std::vector<CodeConflict>& conflicts);

// Writes the report anew, whole or not at all; returns its path. Throws
// db::EngineError or text::TextCodecError.
QString WriteConflictReport(const std::vector<CodeConflict>& conflicts);

} // namespace kestrune::exchange
