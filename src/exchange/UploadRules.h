#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::exchange {

inline const QString kOfflineRefusal = QStringLiteral("存在临时保存或逻辑错误的数据，不能上报!");
inline const QString kOnlineRefusal =
    QStringLiteral("存在临时保存或逻辑错误的数据，不能导出上报数据!");
inline const QString kDefaultLabel = QStringLiteral("默认数据库");
inline const QString kLabelCaption = QStringLiteral("设置数据库标识");
inline const QString kLabelPrompt =
    QStringLiteral("请输入提供数据的单位的名称，长度不要超过200个汉字");
inline const QString kDefaultLabelRefused = QStringLiteral("必须修改默认的名称！");
inline const QString kOfflineFilter = QStringLiteral("数据加密文件(*.dat)|*.dat");
inline const QString kOnlineFilter = QStringLiteral("dat文件(*.dat)|*.dat");
inline const QString kUploadDialogTitle = QStringLiteral("导出文件存放为");
inline const QString kOfflineErrorAdvice = QStringLiteral(",请与软件发行者联系。");
inline const QString kOnlineExportedMessage = QStringLiteral("导出上报数据成功");
inline const QString kOnlineCaptionPrefix = QStringLiteral("导出上报数据...");
// The empty database whose copy becomes every offline exchange file.
inline const QString kExchangeTemplateName = QStringLiteral("view.dll");

// "数据已经被正确导出到：'" + target + "'！"
QString OfflineExportedMessage(const QString& target);
// "导出上报数据..." + percentage + "%"
QString OnlineExportCaption(qint64 done, qint64 total);

// A chosen name shorter than five characters or not ending in ".dat" (case
// matters) gets ".dat" appended.
QString UploadTargetName(const QString& chosen);

// Records that block both exports: temporarily saved or with logic errors
// (a record without a state does not block).
qint64 CountUnreportableRecords(db::Connection& connection);

// label + "-" + "yyyy-mm-dd" + "(离线版)", and "yyyy-mm-dd" + "(网络版)".
QString OfflineProposedName(const QString& label, const QDate& day);
QString OnlineProposedName(const QDate& day);

// The label prompt: preset with `label`; "默认数据库" is refused with a
// message and asked again, preset with the answer. Nothing when cancelled.
std::optional<QString> AskExportLabel(shell::UserInteraction& ui, const QString& label);

// The save dialog in the documents folder (created when missing); the chosen
// name made to end in ".dat". Nothing when cancelled or left empty.
std::optional<QString> ChooseUploadTarget(shell::UserInteraction& ui, const QString& filter,
                                          const QString& proposedName);

} // namespace kestrune::exchange
