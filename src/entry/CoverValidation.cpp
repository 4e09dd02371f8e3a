#include "CoverValidation.h"

#include "CoverRules.h"
#include "schema/Connection.h"

namespace kestrune::entry {

namespace {

// The smallest 12-digit unit code.
constexpr double LowestUnitCode = 100000000000.0;

CoverFailure fail(CoverRule rule, const QString& message, const char* field) {
    return {rule, message, QString::fromLatin1(field)};
}

// The value the numeric box shows for its text; 0 for an empty box.
double unitCodeValue(const QString& text) {
    return text.toDouble();
}

} // namespace

qint64 CountRecordsWithUnitCode(db::Connection& connection, double unitCode) {
    return connection
        .scalar(QStringLiteral("SELECT count(*) as TBLNUM FROM dt_data WHERE c901=?"), {unitCode})
        .toLongLong();
}

QString DuplicateUnitCodeMessage(bool adding, const QString& unitCode) {
    const QString opening = adding ? QStringLiteral("在增加数据时，填写的本级工会编码为")
                                   : QStringLiteral("在修改数据时，将本级工会编码改为");
    return opening + unitCode + QStringLiteral("，该编码的数据已经存在，请改用其它编码。");
}

std::optional<CoverFailure> ValidateCover(const CoverValues& cover, const CoverLookups& lookups) {
    if (cover.unitCode.isEmpty())
        return fail(CoverRule::UnitCodeMissing, QStringLiteral("必须输入工会统计编码"), "c901");
    const double unitCode = unitCodeValue(cover.unitCode);
    // Any text of 12 characters passes: the box takes digits only, so this
    // asks for exactly 12 digits.
    if (cover.unitCode.size() != 12 && unitCode < LowestUnitCode)
        return fail(CoverRule::UnitCodeTooShort,
                    QStringLiteral("本级工会编码必须大于100000000000且必须为12位!"), "c901");
    if (CountRecordsWithUnitCode(lookups.connection, unitCode) > 0 && unitCode != cover.storedCode)
        return fail(CoverRule::UnitCodeTaken,
                    DuplicateUnitCodeMessage(cover.adding, cover.unitCode), "c901");
    if (cover.unitName.trimmed().isEmpty())
        return fail(CoverRule::UnitNameMissing, QStringLiteral("必须输入本级工会名称"), "c902");
    if (shell::RegionFullName(lookups.connection, cover.regionCode, lookups.ui).isEmpty())
        return fail(CoverRule::RegionUnknown,
                    QStringLiteral("输入的行政区划代码错误，请重新输入，或用对话框选择"), "c903");
    if (shell::CodeToName(lookups.levelCodes, cover.levelCode).isEmpty())
        return fail(CoverRule::LevelUnknown,
                    QStringLiteral("输入的本级工会层次代码不合法，请重新输入或通过列表选择"),
                    "c904");
    if (shell::CodeToName(lookups.stateCodes, cover.stateCode).isEmpty())
        return fail(CoverRule::StateUnknown,
                    QStringLiteral("输入的基层以上工会本年度的填报状态代码不合法，"
                                   "请重新输入或通过列表选择"),
                    "c907");
    const QString filler = cover.filler.trimmed();
    if (filler.isEmpty())
        return fail(CoverRule::FillerMissing, QStringLiteral("必须输入填表人"), "c905");
    if (HasLatinOrDigit(filler))
        return fail(CoverRule::FillerNotChinese, QStringLiteral("填表人必须为汉字"), "c905");
    if (cover.phone.trimmed().isEmpty())
        return fail(CoverRule::PhoneMissing, QStringLiteral("必须输入联系电话"), "c906");
    if (!HasValidPhoneLength(cover.phone))
        return fail(CoverRule::PhoneLengthInvalid,
                    QStringLiteral("联系电话必须是真实有效的7位、8位(可加区号)或11位!"), "c906");
    return std::nullopt;
}

} // namespace kestrune::entry
