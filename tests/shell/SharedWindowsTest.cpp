#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/UserInteraction.h"
#include "shell/ui/AboutForm.h"
#include "shell/ui/OptionSetupForm.h"
#include "shell/ui/ProgressBarForm.h"
#include "shell/ui/QtInteraction.h"
#include "shell/ui/QtTranslations.h"
#include "shell/ui/QuestionDlg.h"
#include "shell/ui/ToolForm.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using kestrune::testing::TestEnvironment;

namespace {

TEST(QuestionDlgTest, ShowsTheAskedButtonsAndReturnsTheirCodes) {
    TQuestionDlg yesNo("删除这条记录吗？", Question::Yes | Question::No);
    QStringList captions;
    for (QPushButton* b : yesNo.visibleButtons())
        captions << b->text();
    EXPECT_EQ(captions, (QStringList{"是", "否"}));
    EXPECT_EQ(yesNo.windowTitle(), "提示信息");
    yesNo.visibleButtons()[1]->click();
    EXPECT_EQ(yesNo.result(), Question::ResultNo);

    TQuestionDlg all("?", 15);
    ASSERT_EQ(all.visibleButtons().size(), 4);
    all.visibleButtons()[1]->click();
    EXPECT_EQ(all.result(), Question::ResultYesToAll);

    TQuestionDlg closed("?", 15);
    closed.reject(); // the window frame's close
    EXPECT_EQ(closed.result(), Question::ResultCancel);
}

TEST(ProgressBarFormTest, LabelsCountAndEstimate) {
    TProgressBarForm form;
    EXPECT_FALSE(form.doneLabel()->isVisibleTo(&form));
    form.StartProgress(10, 0);
    EXPECT_TRUE(form.doneLabel()->isVisibleTo(&form));
    EXPECT_EQ(form.doneLabel()->text(), "已完成 0");
    form.StepProgress();
    form.StepProgress();
    for (int i = 0; i < 50; ++i)
        form.tick();
    EXPECT_EQ(form.doneLabel()->text(), "已完成 2");
    EXPECT_EQ(form.leftLabel()->text(), "待完成 8");
    for (int i = 0; i < 10; ++i)
        form.tick();
    EXPECT_EQ(form.doneLabel()->text(), "已完成 2 用时6秒");
    EXPECT_EQ(form.leftLabel()->text(), "待完成 8 尚需24秒");
    form.show();
    form.hide();
    EXPECT_FALSE(form.doneLabel()->isVisibleTo(&form));
}

TEST(ProgressBar2LineFormTest, TwoBars) {
    TProgressBar2LineForm form;
    EXPECT_EQ(form.windowTitle(), "操作进度指示");
    form.InitFirst(4);
    form.InitSecond(10);
    form.IncFirst();
    form.IncSecond();
    form.IncSecond();
    EXPECT_EQ(form.first()->value(), 1);
    EXPECT_EQ(form.first()->maximum(), 4);
    EXPECT_EQ(form.second()->value(), 2);
}

TEST(ToolFormTest, CodeMenuChecksTheHeldCodeAndReportsTheChoice) {
    QWidget page;
    QLineEdit edit(&page);
    edit.setGeometry(100, 50, 120, 24);
    SetHeldCode(&edit, 2);
    TToolForm tool;
    int chosen = -1;
    void* seen = nullptr;
    int context = 0;
    tool.ShowCodeMenu(
        &edit, {{1, "省级地方工会"}, {2, " 市级地方工会 "}, {3, "县级地方工会"}},
        [&](void* c, int code) {
            seen = c;
            chosen = code;
        },
        &context);
    const QList<QAction*> items = tool.menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isChecked());
    items[2]->trigger();
    EXPECT_EQ(edit.text(), "县级地方工会");
    EXPECT_EQ(HeldCode(&edit), 3);
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(seen, &context);
    tool.menu()->hide();
    tool.ShowCodeMenu(&edit, {{2, " 市级地方工会 "}});
    tool.menu()->actions()[0]->trigger();
    EXPECT_EQ(edit.text(), "市级地方工会"); // surrounding blanks removed
    tool.menu()->hide();
    EXPECT_EQ(CodeMenuPoint(QRect(100, 50, 120, 24)), QPoint(210, 44));
}

TEST(AboutFormTest, SplashClosesItselfAfterFiftySteps) {
    TdlgAboutForm splash(7, true);
    ASSERT_NE(splash.progressBar(), nullptr);
    splash.show();
    for (int i = 0; i < 49; ++i)
        splash.advanceSplash();
    EXPECT_EQ(splash.progressBar()->value(), 98);
    EXPECT_EQ(splash.result(), 0);
    splash.advanceSplash();
    EXPECT_EQ(splash.result(), QDialog::Accepted);
    EXPECT_FALSE(splash.isVisible());
}

TEST(AboutFormTest, CtrlAltDoubleClickOnTheNameAsksForTheReset) {
    EXPECT_TRUE(IsStateResetGesture(Qt::ControlModifier | Qt::AltModifier, true));
    EXPECT_FALSE(
        IsStateResetGesture(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, true));
    EXPECT_FALSE(IsStateResetGesture(Qt::ControlModifier, true));
    EXPECT_FALSE(IsStateResetGesture(Qt::ControlModifier | Qt::AltModifier, false));
    TdlgAboutForm about(7, false);
    EXPECT_EQ(about.progressBar(), nullptr);
    int resets = 0;
    about.setStateReset([&] { ++resets; });
    about.show();
    // A double-click as the mouse delivers it: press, release, double-click, release.
    const auto doubleClick = [&](Qt::KeyboardModifiers modifiers) {
        QLabel* name = about.productName();
        const QPoint at = name->rect().center();
        QTest::mousePress(name, Qt::LeftButton, modifiers, at);
        QTest::mouseRelease(name, Qt::LeftButton, modifiers, at);
        if (!about.isVisible())
            return; // the first press closed the box
        QMouseEvent second(QEvent::MouseButtonDblClick, at, name->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, modifiers);
        QApplication::sendEvent(name, &second);
        QTest::mouseRelease(name, Qt::LeftButton, modifiers, at);
    };
    doubleClick(Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(about.isVisible());

    // Without both keys the first press closes the box, as any click does.
    TdlgAboutForm plain(7, false);
    plain.setStateReset([&] { ++resets; });
    plain.show();
    QTest::mousePress(plain.productName(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(plain.isVisible());
    EXPECT_EQ(resets, 1);
}

TEST(OptionSetupFormTest, StyleClicksWriteAtOnceOkWritesTheRest) {
    TestEnvironment env;
    EnvSettings settings;
    settings.imePrefer = "五笔";
    OptionsModel model(settings);
    TdlgOptionSetupForm dialog(model);
    EXPECT_EQ(dialog.windowTitle(), "软件参数设置");
    EXPECT_TRUE(dialog.classicStyle()->isChecked());
    EXPECT_TRUE(dialog.abandonAll()->isChecked());
    EXPECT_EQ(dialog.inputMethods()->currentText(), "五笔");
    dialog.simpleStyle()->click();
    EXPECT_EQ(ReadRegInteger("InputWndStyle", -1, RegistryRoot::LocalMachine, kEnvSettingKey), 1);
    dialog.abandonFaulty()->click();
    EXPECT_EQ(ReadRegInteger("ImportPrinciple", -1, RegistryRoot::LocalMachine, kEnvSettingKey),
              -1);
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_EQ(ReadRegInteger("ImportPrinciple", -1, RegistryRoot::LocalMachine, kEnvSettingKey), 1);
    EXPECT_EQ(ReadRegText("ImePrefer", "", RegistryRoot::LocalMachine, kEnvSettingKey), "五笔");
}

TEST(QtInteractionTest, FileFiltersShowEachPatternListOnce) {
    EXPECT_EQ(qtFileFilter("Access文件(*.mdb)|*.mdb"), "Access文件(*.mdb)");
    EXPECT_EQ(qtFileFilter("Excel文件|*.xls;*.xlsx|所有文件(*.*)|*.*"),
              "Excel文件 (*.xls *.xlsx);;所有文件(*.*)");
    EXPECT_EQ(qtFileFilter("数据文件(*.dat;*.txt)|*.dat;*.txt"), "数据文件(*.dat *.txt)");
}

TEST(QtInteractionTest, MessagesComeAboveTheStayOnTopErrorListInChinese) {
    QTranslator* chinese = LoadQtTranslations(*qApp);
    ASSERT_NE(chinese, nullptr) << "qtbase_zh_CN.qm is missing (qt6-translations-l10n)";
    QtInteraction ui;
    Qt::WindowFlags flags;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        flags = box->windowFlags();
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        box->accept();
    });
    ui.showMessage("数据保存成功，有逻辑错误！", MessageKind::Information);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(buttons, QStringList{"确定"}); // Qt's own "OK", translated

    // The file dialogs' own texts too.
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(files.labelText(QFileDialog::LookIn), "查找范围：");
    QCoreApplication::removeTranslator(chinese);
    delete chinese;
    EXPECT_EQ(LoadQtTranslations(*qApp, "/nonexistent"), nullptr);
}

TEST(OptionSetupFormTest, AfterARestartTheDialogShowsTheStoredChoices) {
    TestEnvironment env;
    EnvSettings first = InitSettings();
    OptionsModel firstModel(first);
    TdlgOptionSetupForm choosing(firstModel);
    choosing.simpleStyle()->click();
    choosing.abandonFaulty()->click();
    choosing.findChild<QPushButton*>("okButton")->click();

    EnvSettings second = InitSettings(); // the next start
    OptionsModel secondModel(second);
    TdlgOptionSetupForm shown(secondModel);
    EXPECT_TRUE(shown.simpleStyle()->isChecked());
    EXPECT_TRUE(shown.abandonFaulty()->isChecked());
    EXPECT_FALSE(shown.abandonAll()->isChecked());
}

} // namespace
