#include "CoverExits.h"

#include "CoverRules.h"

namespace kestrune::entry {

QString UnitCodeExitMessage(const QString& text) {
    if (text.isEmpty())
        return QStringLiteral("必须输入工会统计编码");
    if (text.size() != 12)
        return QStringLiteral("工会统计编码必须为12位");
    return QString();
}

QString UnitNameExitMessage(const QString& text) {
    return text.trimmed().isEmpty() ? QStringLiteral("必须输入本级工会名称") : QString();
}

QString FillerExitMessage(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("必须输入填表人");
    if (HasLatinOrDigit(text))
        return QStringLiteral("填表人必须为汉字");
    return QString();
}

QString PhoneExitMessage(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("必须输入联系电话");
    if (!HasValidPhoneLength(text))
        return QStringLiteral("联系电话必须是真实有效的7位、8位(可加区号)或11位!");
    return QString();
}

} // namespace kestrune::entry
