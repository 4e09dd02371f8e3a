#include "entry/CoverValidation.h"

#include "entry/CoverRules.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "shell/CodeList.h"
#include "support/StartedSession.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kestrune::entry {

bool operator==(const CoverFailure& a, const CoverFailure& b) {
    return a.rule == b.rule && a.message == b.message && a.focusField == b.focusField;
}

void PrintTo(const CoverFailure& failure, std::ostream* out) {
    *out << "rule " << int(failure.rule) << " focus " << failure.focusField.toStdString() << ": "
         << failure.message.toStdString();
}

} // namespace kestrune::entry

namespace {

using namespace kestrune::entry;
using kestrune::shell::LoadCodeList;
using kestrune::shell::TMenuItemDataArray;
using kestrune::testing::StartedSessionTest;

TEST(CoverRulesTest, OnlyAsciiLettersAndDigitsCountAsLatin) {
    EXPECT_TRUE(HasLatinOrDigit("王a"));
    EXPECT_TRUE(HasLatinOrDigit("Z"));
    EXPECT_TRUE(HasLatinOrDigit("李四2"));
    EXPECT_FALSE(HasLatinOrDigit("张Ａｂ"));      // full-width letters
    EXPECT_FALSE(HasLatinOrDigit("赵１"));        // full-width digit
    EXPECT_FALSE(HasLatinOrDigit("阿依·买买提")); // middle dot
    EXPECT_FALSE(HasLatinOrDigit(" -_.@ "));
    EXPECT_FALSE(HasLatinOrDigit(""));
}

TEST(CoverRulesTest, PhoneLengthDependsOnTheDash) {
    EXPECT_TRUE(HasValidPhoneLength("0571-888888"));   // 11 with "-"
    EXPECT_TRUE(HasValidPhoneLength("0571-8888888"));  // 12 with "-"
    EXPECT_TRUE(HasValidPhoneLength("0571-88888888")); // 13 with "-"
    EXPECT_FALSE(HasValidPhoneLength("010-888888"));   // 10 with "-"
    EXPECT_FALSE(HasValidPhoneLength("0571-888888888"));
    EXPECT_TRUE(HasValidPhoneLength("8888888"));        // 7 digits
    EXPECT_TRUE(HasValidPhoneLength("88888888"));       // 8 digits
    EXPECT_TRUE(HasValidPhoneLength("13912345678"));    // 11 digits
    EXPECT_TRUE(HasValidPhoneLength("057188888888"));   // 12 digits
    EXPECT_FALSE(HasValidPhoneLength("888888888"));     // 9 digits
    EXPECT_FALSE(HasValidPhoneLength("0571888888"));    // 10 digits
    EXPECT_FALSE(HasValidPhoneLength("0571888888888")); // 13 digits without "-"
    // Judged as entered: a trailing blank makes 8 digits a 9-character text.
    EXPECT_FALSE(HasValidPhoneLength("88888888 "));
}

TEST(CoverRulesTest, KeysTheCoverTextBoxesTakeOrRefuse) {
    for (QChar quote : {u'\'', u'"', u'`'})
        EXPECT_TRUE(TextBoxRefusesCharacter(quote)) << int(quote.unicode());
    EXPECT_FALSE(TextBoxRefusesCharacter(u'‘'));
    EXPECT_FALSE(TextBoxRefusesCharacter(u'a'));

    for (QChar swallowed : {u'.', u'0', u'9', u'a', u'z', u'A', u'Z'})
        EXPECT_TRUE(FillerBoxSwallowsCharacter(swallowed)) << int(swallowed.unicode());
    for (QChar kept : {u'张', u'·', u'Ａ', u'。', u'\b', u' '})
        EXPECT_FALSE(FillerBoxSwallowsCharacter(kept)) << int(kept.unicode());

    for (QChar accepted : {u'0', u'5', u'9', u'-', u'\b'})
        EXPECT_TRUE(PhoneBoxAcceptsCharacter(accepted)) << int(accepted.unicode());
    for (QChar refused : {u' ', u'+', u'(', u'a', u'１', u'－', u'\x16'})
        EXPECT_FALSE(PhoneBoxAcceptsCharacter(refused)) << int(refused.unicode());
}

// The cover of a record on the installed survey database, complete unless a
// test breaks one of its values.
class CoverValidationTest : public StartedSessionTest {
protected:
    void SetUp() override {
        levels = LoadCodeList(db(), "CT_LevelCode");
        states = LoadCodeList(db(), "ct_state");
        cover.unitCode = "110000000001";
        cover.unitName = "北京市东城区总工会";
        cover.regionCode = 110101;
        cover.levelCode = 3;
        cover.stateCode = 1;
        cover.filler = "张三";
        cover.phone = "010-88888888";
        cover.adding = true;
    }

    kestrune::db::Connection& db() { return connection(); }

    std::optional<CoverFailure> validate() {
        return ValidateCover(cover, CoverLookups{db(), ui, levels, states});
    }

    void storeRecord(const QString& unitCode) {
        db().execute("insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                     {unitCode.toDouble(), "已有工会"});
    }

    TMenuItemDataArray levels;
    TMenuItemDataArray states;
    CoverValues cover;
};

TEST_F(CoverValidationTest, CompleteCoverPassesWithoutTellingThePerson) {
    EXPECT_EQ(validate(), std::nullopt);
    EXPECT_TRUE(ui.messageTexts().isEmpty());
    EXPECT_EQ(db().scalar("select count(*) from dt_data").toInt(), 0);
}

TEST_F(CoverValidationTest, UnitCodeMustBeGivenWithTwelveDigits) {
    cover.unitCode = "";
    cover.unitName = ""; // later rules are not tried
    EXPECT_EQ(validate(),
              (CoverFailure{CoverRule::UnitCodeMissing, "必须输入工会统计编码", "c901"}));
    const CoverFailure tooShort{CoverRule::UnitCodeTooShort,
                                "本级工会编码必须大于100000000000且必须为12位!", "c901"};
    cover.unitCode = "12345";
    EXPECT_EQ(validate(), tooShort);
    cover.unitCode = "99999999999";
    EXPECT_EQ(validate(), tooShort);
    // Twelve characters pass whatever their value.
    cover.unitCode = "000000000001";
    EXPECT_EQ(validate()->rule, CoverRule::UnitNameMissing);
}

TEST_F(CoverValidationTest, DuplicateUnitCodeDependsOnTheRecordsOwnCode) {
    storeRecord("110000000001");
    storeRecord("110000000002");

    // Editing a record without changing its code: it only finds itself.
    cover.adding = false;
    cover.storedCode = 110000000001.0;
    EXPECT_EQ(validate(), std::nullopt);

    cover.unitCode = "110000000002";
    EXPECT_EQ(validate(), (CoverFailure{CoverRule::UnitCodeTaken,
                                        "在修改数据时，将本级工会编码改为110000000002，"
                                        "该编码的数据已经存在，请改用其它编码。",
                                        "c901"}));

    cover.adding = true;
    cover.storedCode = 0;
    EXPECT_EQ(validate(), (CoverFailure{CoverRule::UnitCodeTaken,
                                        "在增加数据时，填写的本级工会编码为110000000002，"
                                        "该编码的数据已经存在，请改用其它编码。",
                                        "c901"}));

    // A new record after its temporary save carries its code as stored code.
    cover.storedCode = 110000000002.0;
    EXPECT_EQ(validate(), std::nullopt);

    cover.unitCode = "110000000003";
    cover.storedCode = 0;
    EXPECT_EQ(validate(), std::nullopt);
    EXPECT_EQ(db().scalar("select count(*) from dt_data").toInt(), 2);
}

TEST_F(CoverValidationTest, EngineErrorOfTheDuplicateQueryReachesTheCaller) {
    db().execute("drop table dt_data");
    EXPECT_THROW(validate(), kestrune::db::EngineError);
    EXPECT_TRUE(ui.messageTexts().isEmpty());
}

TEST_F(CoverValidationTest, UnitNameOfBlanksIsMissing) {
    cover.unitName = "   ";
    EXPECT_EQ(validate(),
              (CoverFailure{CoverRule::UnitNameMissing, "必须输入本级工会名称", "c902"}));
}

TEST_F(CoverValidationTest, RegionMustBeASixDigitCodeOfTheRegionTable) {
    const CoverFailure unknown{CoverRule::RegionUnknown,
                               "输入的行政区划代码错误，请重新输入，或用对话框选择", "c903"};
    // Five digits fail even when the region table holds the code.
    db().execute("insert into CT_CityName (ID, Code1, Code2, Code3, Name, CombName) "
                 "values (11010, 1, 10, 10, '短码', '短码区')");
    cover.regionCode = 11010;
    EXPECT_EQ(validate(), unknown);
    cover.regionCode = 0;
    EXPECT_EQ(validate(), unknown);
    cover.regionCode = 999999;
    EXPECT_EQ(validate(), unknown);
    EXPECT_TRUE(ui.messageTexts().isEmpty());
    cover.regionCode = 110000; // a province
    EXPECT_EQ(validate(), std::nullopt);
    // The look-up tells the person about an engine error and the rule fails.
    db().execute("drop table CT_CityName");
    EXPECT_EQ(validate(), unknown);
    EXPECT_EQ(ui.messageTexts(), QStringList{"运行中发生错误：no such table: CT_CityName,"
                                             "请与系统管理员或软件发行者联系。"});
}

TEST_F(CoverValidationTest, LevelAndStateMustBeChosenFromTheirCodeTables) {
    const CoverFailure badLevel{CoverRule::LevelUnknown,
                                "输入的本级工会层次代码不合法，请重新输入或通过列表选择", "c904"};
    const CoverFailure badState{
        CoverRule::StateUnknown,
        "输入的基层以上工会本年度的填报状态代码不合法，请重新输入或通过列表选择", "c907"};
    // Code 0, prepared for a new record, has a row ("未选择") that the code
    // lists leave out.
    cover.levelCode = 0;
    EXPECT_EQ(validate(), badLevel);
    cover.levelCode = 12;
    EXPECT_EQ(validate(), badLevel);
    cover.levelCode = 11;
    cover.stateCode = 0;
    EXPECT_EQ(validate(), badState);
    cover.stateCode = 6;
    EXPECT_EQ(validate(), badState);
    cover.stateCode = 5;
    EXPECT_EQ(validate(), std::nullopt);
}

TEST_F(CoverValidationTest, FillerMustBeNamedInChineseCharacters) {
    const CoverFailure notChinese{CoverRule::FillerNotChinese, "填表人必须为汉字", "c905"};
    cover.filler = "  ";
    EXPECT_EQ(validate(), (CoverFailure{CoverRule::FillerMissing, "必须输入填表人", "c905"}));
    cover.filler = "张a";
    EXPECT_EQ(validate(), notChinese);
    cover.filler = "王5";
    EXPECT_EQ(validate(), notChinese);
    cover.filler = "张Ａ"; // full-width letter
    EXPECT_EQ(validate(), std::nullopt);
    cover.filler = " 阿依·买买提 ";
    EXPECT_EQ(validate(), std::nullopt);
}

TEST_F(CoverValidationTest, PhoneMustHaveAnAcceptedLength) {
    cover.phone = "   ";
    EXPECT_EQ(validate(), (CoverFailure{CoverRule::PhoneMissing, "必须输入联系电话", "c906"}));
    const CoverFailure badLength{CoverRule::PhoneLengthInvalid,
                                 "联系电话必须是真实有效的7位、8位(可加区号)或11位!", "c906"};
    for (const char* phone : {"0571-888888", "0571-8888888", "88888888"}) {
        cover.phone = phone;
        EXPECT_EQ(validate(), std::nullopt) << phone;
    }
    for (const char* phone : {"0571888888", "0571888888888", "010-888888", "888888888"}) {
        cover.phone = phone;
        EXPECT_EQ(validate(), badLength) << phone;
    }
}

TEST_F(CoverValidationTest, FirstBrokenRuleIsReported) {
    cover.unitName = "";
    cover.levelCode = 0;
    cover.phone = "1";
    EXPECT_EQ(validate()->rule, CoverRule::UnitNameMissing);
    cover.unitName = "工会";
    EXPECT_EQ(validate()->rule, CoverRule::LevelUnknown);
}

} // namespace
