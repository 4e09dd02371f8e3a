#include "schema/Connection.h"
#include "shell/CodeList.h"
#include "shell/OptionsModel.h"
#include "shell/ProductVersion.h"
#include "shell/ProgressEstimate.h"
#include "shell/QuestionLayout.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/WheelArrow.h"
#include "shell/WindowPlacement.h"
#include "support/StartedSession.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace kestrune::shell;
using kestrune::testing::TestEnvironment;

namespace {

TEST(WheelArrowTest, ForwardIsUpElseDown) {
    EXPECT_EQ(WheelArrowKey(120), Qt::Key_Up);
    EXPECT_EQ(WheelArrowKey(-120), Qt::Key_Down);
    EXPECT_EQ(WheelArrowKey(0), Qt::Key_Down);
}

TEST(ProductVersionTest, BuildNumberAndStatusText) {
    EXPECT_EQ(BuildNumberOf("1.1.1.103"), 103);
    EXPECT_EQ(ReadProductVersion(std::nullopt).buildNumber, -1);
    EXPECT_EQ(ReadProductVersion(QString()).buildNumber, 0);
    EXPECT_EQ(ReadProductVersion(QString("1.1.1.103")).buildNumber, 103);
    EXPECT_EQ(VersionPaneText(103), "开发单位：Brenvatik\u3000软件版本：1.0 (Build 103)");
    EXPECT_EQ(AboutVersionText(103), "版本：1.0 (Build 103)");
    EXPECT_EQ(ProgramVersion().buildNumber, BuildNumberOf(KESTRUNE_VERSION));
}

TEST(ProgressEstimateTest, EstimateAfterFiveSecondsPlainCountsBefore) {
    const ProgressLabels later = ProgressLabelsAt(60, 10, 2);
    EXPECT_EQ(later.done, "已完成 2 用时6秒");
    EXPECT_EQ(later.left, "待完成 8 尚需24秒");
    EXPECT_EQ(later.estimateTicks, 240);
    const ProgressLabels early = ProgressLabelsAt(50, 10, 2);
    EXPECT_EQ(early.done, "已完成 2");
    EXPECT_EQ(early.left, "待完成 8");
    EXPECT_EQ(early.estimateTicks, -1);
    // Nothing complete yet: no estimate however long it runs.
    EXPECT_EQ(ProgressLabelsAt(500, 10, 0).left, "待完成 10");
    // The remaining time is rounded up: 51 ticks, 1 of 3 done -> 102 ticks -> 11 s.
    EXPECT_EQ(ProgressLabelsAt(51, 3, 1).left, "待完成 2 尚需11秒");
}

TEST(QuestionLayoutTest, ButtonsAndLayout) {
    EXPECT_EQ(VisibleQuestionButtons(3), (QStringList{"是", "否"}));
    EXPECT_EQ(VisibleQuestionButtons(15), (QStringList{"是", "全都是", "否", "全都否"}));
    EXPECT_EQ(VisibleQuestionButtons(8), QStringList{"全都否"});
    // Two hidden buttons: the bar is 297 - 2*72 = 153 wide.
    const QuestionLayout narrow = LayOutQuestion(3, QRect(16, 16, 100, 20), 36);
    EXPECT_EQ(narrow.client, QSize(229, 36 + 54)); // 1.5 * 153 = 229.5 is wider than 141
    EXPECT_EQ(narrow.buttonBar, QRect(229 - 153, 90 - 36, 153, 36));
    const QuestionLayout wide = LayOutQuestion(15, QRect(16, 16, 500, 40), 36);
    EXPECT_EQ(wide.client, QSize(16 + 500 + 25, 56 + 54));
}

TEST(CodeListTest, LookupsAndRegionParts) {
    const TMenuItemDataArray codes = {{1, "省级地方工会"}, {2, "市级地方工会"}, {2, "重复"}};
    EXPECT_EQ(CodeToName(codes, 2), "市级地方工会");
    EXPECT_EQ(CodeToName(codes, 9), "");
    EXPECT_EQ(NameToCode(codes, "市级地方工会"), 2);
    EXPECT_EQ(NameToCode(codes, "市级"), 0);
    const RegionParts parts = SplitRegionCode(110105);
    EXPECT_EQ(parts.province, 11);
    EXPECT_EQ(parts.city, 1);
    EXPECT_EQ(parts.county, 5);
}

using CodeTableTest = kestrune::testing::StartedSessionTest;

TEST_F(CodeTableTest, CodeTablesAndRegionNamesFromTheDatabase) {
    auto& c = connection();
    const TMenuItemDataArray levels = LoadCodeList(c, "CT_LevelCode");
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front().ID, 1); // row 0 is left out; ordered by Sequence
    EXPECT_EQ(NameToCode(levels, "未选择"), 0);
    EXPECT_EQ(RegionFullName(c, 130102, ui), "河北省石家庄市长安区");
    EXPECT_EQ(RegionFullName(c, 999999, ui), "");
    EXPECT_EQ(RegionFullName(c, 99999, ui), "");
    c.execute("drop table CT_CityName");
    EXPECT_EQ(RegionFullName(c, 130102, ui), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "运行中发生错误：no such table: CT_CityName,请与系统管理员或软件发行者联系。");
}

TEST(OptionsModelTest, StyleIsWrittenAtOnceTheRestOnAccept) {
    TestEnvironment env;
    EnvSettings settings;
    OptionsModel model(settings);
    EXPECT_TRUE(model.abandonAllOnError());
    model.chooseStyle(1);
    EXPECT_EQ(ReadRegInteger("InputWndStyle", -1, RegistryRoot::LocalMachine, kEnvSettingKey), 1);
    EXPECT_EQ(ReadRegText("ImePrefer", "unset", RegistryRoot::LocalMachine, kEnvSettingKey),
              "unset");
    model.accept("搜狗拼音", false);
    EXPECT_EQ(ReadRegText("ImePrefer", "", RegistryRoot::LocalMachine, kEnvSettingKey), "搜狗拼音");
    EXPECT_EQ(ReadRegInteger("ImportPrinciple", -1, RegistryRoot::LocalMachine, kEnvSettingKey), 1);
    EXPECT_EQ(ReadRegText("OrganisationName", "unset", RegistryRoot::LocalMachine, kEnvSettingKey),
              "unset"); // written as empty text
    EXPECT_TRUE(settings.importPrinciple);
    model.accept("", true);
    EXPECT_EQ(ReadRegInteger("ImportPrinciple", -1, RegistryRoot::LocalMachine, kEnvSettingKey), 0);
}

TEST(WindowPlacementTest, AWindowIsMovedAndLoweredIntoTheAvailableArea) {
    const QMargins frame(4, 30, 4, 4);
    // 1366 by 768 less a task bar: the form is lowered to fit below its place.
    EXPECT_EQ(
        FitIntoArea(QRect(0, 0, 1366, 728), frame, QSize(995, 708), QSize(600, 400), QPoint(10, 2)),
        QRect(14, 32, 995, 692));
    // Where they fit, the form's place and size.
    EXPECT_EQ(
        FitIntoArea(QRect(0, 0, 1600, 960), frame, QSize(995, 708), QSize(600, 400), QPoint(10, 2)),
        QRect(14, 32, 995, 708));
    // Never below the minimum; the title bar stays reachable.
    EXPECT_EQ(
        FitIntoArea(QRect(0, 0, 800, 600), frame, QSize(995, 708), QSize(900, 650), QPoint(10, 2)),
        QRect(4, 30, 900, 650));
    EXPECT_EQ(KeptInside(QRect(0, 0, 1366, 728), QRect(1300, 700, 200, 100)),
              QRect(1166, 628, 200, 100));
}

TEST(WindowPlacementTest, TheErrorListCoversNeitherTheButtonsNorTheMessages) {
    const QSize list(900, 258);
    // 1366 by 728: over the dialog's lower part, lowered to stay clear of both.
    const QRect small(0, 0, 1366, 728);
    const QRect dialog(10, 0, 1003, 728);
    const QRect buttons(10, 690, 1003, 30);
    const QRect placed = PlaceBesideDialog(small, dialog, buttons, list, 120);
    EXPECT_EQ(placed, QRect(150, 484, 900, 206));
    EXPECT_FALSE(placed.intersects(buttons));
    EXPECT_FALSE(placed.intersects(MessageBoxZone(dialog)));
    EXPECT_FALSE(placed.intersects(MessageBoxZone(small)));
    // A large screen has room below the dialog.
    EXPECT_EQ(PlaceBesideDialog(QRect(0, 0, 1920, 1040), QRect(10, 2, 1003, 742),
                                QRect(10, 700, 1003, 30), list, 120),
              QRect(150, 744, 900, 258));
}

} // namespace
