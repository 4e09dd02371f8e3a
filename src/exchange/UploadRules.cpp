#include "UploadRules.h"

#include "schema/Connection.h"
#include "shell/Settings.h"
#include "shell/UserInteraction.h"

#include <QDir>

namespace kestrune::exchange {

namespace {
const QString kDat = QStringLiteral(".dat");
}

QString OfflineExportedMessage(const QString& target) {
    return QStringLiteral("数据已经被正确导出到：'") + target + QStringLiteral("'！");
}

QString OnlineExportCaption(qint64 done, qint64 total) {
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    return kOnlineCaptionPrefix + QString::number(percent) + QLatin1Char('%');
}

QString UploadTargetName(const QString& chosen) {
    if (chosen.size() < 5 || !chosen.endsWith(kDat, Qt::CaseSensitive))
        return chosen + kDat;
    return chosen;
}

qint64 CountUnreportableRecords(db::Connection& connection) {
    return connection
        .scalar(QStringLiteral("select count(*) as cnt from dt_data where "
                               "RecordState<>1"))
        .toLongLong();
}

QString OfflineProposedName(const QString& label, const QDate& day) {
    return label + QLatin1Char('-') + day.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral("(离线版)");
}

QString OnlineProposedName(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("(网络版)");
}

std::optional<QString> AskExportLabel(shell::UserInteraction& ui, const QString& label) {
    QString preset = label;
    for (;;) {
        std::optional<QString> answer = ui.inputText(kLabelCaption, kLabelPrompt, preset);
        if (!answer || *answer != kDefaultLabel)
            return answer;
        ui.showMessage(kDefaultLabelRefused);
        preset = *answer;
    }
}

std::optional<QString> ChooseUploadTarget(shell::UserInteraction& ui, const QString& filter,
                                          const QString& proposedName) {
    shell::FileDialogRequest request;
    request.title = kUploadDialogTitle;
    request.filter = filter;
    request.initialFolder = shell::documentsFolder();
    QDir().mkpath(request.initialFolder);
    request.proposedName = proposedName;
    request.confirmOverwrite = true;
    const QString chosen = ui.chooseSaveFile(request);
    if (chosen.trimmed().isEmpty())
        return std::nullopt;
    return UploadTargetName(chosen);
}

} // namespace kestrune::exchange
