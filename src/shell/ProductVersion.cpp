#include "ProductVersion.h"

namespace kestrune::shell {

int BuildNumberOf(const QString& fileVersion) {
    const QString last = fileVersion.section(QLatin1Char('.'), -1);
    bool ok = false;
    const int number = last.trimmed().toInt(&ok);
    return ok ? number : 0;
}

TProductVersion ReadProductVersion(const std::optional<QString>& fileVersion) {
    if (!fileVersion)
        return {QString(), -1};
    if (fileVersion->isEmpty())
        return {QString(), 0};
    return {*fileVersion, BuildNumberOf(*fileVersion)};
}

TProductVersion ProgramVersion() {
    return ReadProductVersion(QStringLiteral(KESTRUNE_VERSION));
}

QString VersionPaneText(int buildNumber) {
    return QStringLiteral("开发单位：Brenvatik\u3000软件版本：1.0 (Build %1)").arg(buildNumber);
}

QString AboutVersionText(int buildNumber) {
    return QStringLiteral("版本：1.0 (Build %1)").arg(buildNumber);
}

} // namespace kestrune::shell
