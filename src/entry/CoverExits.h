#pragma once

#include <QString>

namespace kestrune::entry {

// What leaving a cover box says; empty text when the box is fine.
QString UnitCodeExitMessage(const QString& text); // c901
QString UnitNameExitMessage(const QString& text); // c902
QString FillerExitMessage(const QString& text);   // c905
QString PhoneExitMessage(const QString& text);    // c906

inline const QString kRegionNotFound =
    QStringLiteral("输入的行政区划代码错误，请重新输入，或用对话框选择");
inline const QString kLevelNotFound =
    QStringLiteral("输入的本级工会层次代码不合法，请重新输入或通过列表选择");
inline const QString kStateNotFound =
    QStringLiteral("输入的填报状态代码不合法，请重新输入或通过列表选择");

} // namespace kestrune::entry
