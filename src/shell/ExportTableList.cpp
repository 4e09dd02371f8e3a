#include "ExportTableList.h"

#include <QFile>
#include <QStringList>

namespace kestrune::shell {

std::vector<ExportTable> StandardExportTables() {
    const char* const captions[] = {
        "表一 工会组织建设及民主参与状况", "表二 工会干部协管及教育培训工作",
        "表三 工会权益保障及集体合同工作", "表四 工会法律工作",
        "表五 工会劳动保护工作",           "表六 工会经济技术工作",
        "表七 工会财务和经费审查工作",     "表八 工会宣传教育和职工文化体育工作",
        "表九 工会社会联络工作",           "表十 工会网络工作",
        "表十一 工会国际交流工作"};
    const char prefixes[] = "zxbfljsweng";
    std::vector<ExportTable> tables;
    for (int i = 0; i < 11; ++i)
        tables.push_back(
            {QString::fromUtf8(captions[i]), QString(QLatin1Char(prefixes[i])), 8, 999});
    tables.push_back({QStringLiteral("附表1  工会干部队伍情况"), QStringLiteral("d"), 8, 300});
    tables.push_back({QStringLiteral("附表1续  工会领导班子情况"), QStringLiteral("d"), 301, 999});
    tables.push_back({QStringLiteral("附表2  工会经费审查工作情况"), QStringLiteral("y"), 8, 999});
    return tables;
}

std::vector<ExportTable> ParseExportTables(const QString& text) {
    std::vector<ExportTable> tables = StandardExportTables();
    size_t next = 0;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || next == tables.size())
            continue;
        const bool checked = line.startsWith(QLatin1String("[x]"), Qt::CaseInsensitive);
        const bool unchecked = line.startsWith(QLatin1String("[ ]"));
        if (!checked && !unchecked)
            continue;
        ExportTable& table = tables[next++];
        table.checked = checked;
        const QString caption = line.mid(3).trimmed();
        if (!caption.isEmpty())
            table.caption = caption;
    }
    return tables;
}

std::vector<ExportTable> ReadExportTables(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return StandardExportTables();
    return ParseExportTables(QString::fromUtf8(file.readAll()));
}

QString FormatExportTables(const std::vector<ExportTable>& tables) {
    QString text = QStringLiteral(
        "# The tables the list export offers, in their fixed order: \"[x]\" checked,\n"
        "# \"[ ]\" not checked, then the caption shown.\n");
    for (const ExportTable& table : tables)
        text += (table.checked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + table.caption +
                QLatin1Char('\n');
    return text;
}

} // namespace kestrune::shell
