#include "entry/ui/SurveyDataForm.h"

#include "entry/EntryLayout.h"
#include "entry/FieldValues.h"
#include "entry/ui/NumberEdit.h"
#include "schema/Connection.h"
#include "shell/RecordColumns.h"
#include "shell/WindowPlacement.h"
#include "shell/ui/ToolForm.h"
#include "support/StartedSession.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kestrune;
using namespace kestrune::entry;
using kestrune::testing::StartedSessionTest;

namespace {

TEST(EntryLayoutTest, FourteenPagesHoldEveryIndicatorOnce) {
    const auto& pages = EntryPages();
    ASSERT_EQ(pages.size(), 14u);
    QStringList all;
    for (const EntryPage& page : pages)
        all += page.fields();
    EXPECT_EQ(all.size(), 198);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), 198);
    EXPECT_EQ(ShownTabCaption(pages[9].tabCaption), "表8&表9");
    EXPECT_EQ(ShownTabCaption(pages[10].tabCaption), "表10&表11");
    EXPECT_EQ(pages[9].sections.size(), 2u); // two tables on one page
    EXPECT_EQ(pages[3].fields().first(), "b001");
    EXPECT_EQ(pages[3].fields().last(), "b027");
}

TEST(EntryLayoutTest, CaptionsWrapAndGroup) {
    EXPECT_EQ(CaptionLines("本级工会专职工会干部(人)"), "本级工会专职工会干部\n(人)");
    EXPECT_EQ(CaptionLines("本年本级工会举办培训班培训工会干部(人次)", 8),
              "本年本级工会举办\n培训班培训工会干\n部\n(人次)");
    const RowCaptions row = GroupRowCaptions({"其中：女性(人)", "女职工工作干部：专职(人)",
                                              "女职工工作干部：兼职(人)", "其中：女性(人)"});
    ASSERT_EQ(row.groups.size(), 1u);
    EXPECT_EQ(row.groups[0].firstColumn, 1);
    EXPECT_EQ(row.groups[0].columnCount, 2);
    EXPECT_EQ(row.groups[0].caption, "女职工工作干部");
    EXPECT_EQ(row.boxCaptions,
              (QStringList{"其中：女性(人)", "专职(人)", "兼职(人)", "其中：女性(人)"}));
}

TEST(FieldValuesTest, DisplayAndLimits) {
    EXPECT_EQ(DisplayNumber(0), "");
    EXPECT_EQ(DisplayNumber(1234567), "1,234,567");
    EXPECT_EQ(DisplayNumber(1234.5), "1,234.5");
    EXPECT_EQ(DisplayNumber(1724050.34), "1,724,050.34"); // every stored digit, none added
    EXPECT_EQ(DisplayNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(DisplayNumber(-5), "-5");
    EXPECT_EQ(PlainNumber(130102000001.0), "130102000001");
    EXPECT_EQ(ParseNumber("1,234", false), 1234.0);
    EXPECT_EQ(ParseNumber("", false), 0.0);
    EXPECT_EQ(ParseNumber("1.5", false), std::nullopt);
    EXPECT_EQ(ParseNumber("1.5", true), 1.5);
    EXPECT_EQ(CheckTypedNumber("1.", true, {}), TypedNumber::Unfinished);
    EXPECT_EQ(CheckTypedNumber("1.5.", true, {}), TypedNumber::Refused);
    EXPECT_EQ(CheckTypedNumber("-1", false, {}), TypedNumber::Refused);
    EXPECT_EQ(CheckTypedNumber("1234567", false, {0, 999999, 6}), TypedNumber::Refused);
    EXPECT_EQ(NearestWhole(std::numeric_limits<double>::infinity()),
              std::numeric_limits<qint64>::max());
    EXPECT_EQ(NearestWhole(std::nan("")), 0);
    EXPECT_FALSE(CatalogueLimits(6, shell::QueryType::WholeNumber));
    EXPECT_EQ(CatalogueLimits(7, shell::QueryType::YesNo)->maximum, 2);
    EXPECT_EQ(CatalogueLimits(7, shell::QueryType::YesNo)->maxLength, 1);
    EXPECT_EQ(CatalogueLimits(8, shell::QueryType::WholeNumber)->maximum, 99999999999999.0);
}

class SurveyDataFormTest : public StartedSessionTest {
protected:
    void SetUp() override {
        catalogue = shell::ReadFieldCatalogue(connection());
        editor = std::make_unique<RecordEditor>(connection(), ui, catalogue);
        form = std::make_unique<TdlgSurveyDataForm>(*editor, connection(), ui, codeMenu);
        form->editor().setAdding(true);
        form->LoadCodeLists();
        editor->form().prepareNew();
        form->showValues();
    }
    TNumberEdit* number(const QString& name) { return qobject_cast<TNumberEdit*>(form->box(name)); }

    shell::TFieldDataArray catalogue;
    shell::TToolForm codeMenu;
    std::unique_ptr<RecordEditor> editor;
    std::unique_ptr<TdlgSurveyDataForm> form;
};

TEST_F(SurveyDataFormTest, EveryColumnHasItsBoxOnItsPage) {
    EXPECT_EQ(form->windowTitle(), "基层以上单位数据");
    EXPECT_EQ(form->size(), QSize(995, 708));
    ASSERT_EQ(form->DataPage()->count(), 14);
    EXPECT_EQ(form->DataPage()->tabText(9), "表8&&表9"); // shown as 表8&表9
    for (const shell::TFieldData& f : catalogue) {
        if (f.PageID < 0)
            continue;
        QWidget* box = form->box(f.FieldName);
        ASSERT_NE(box, nullptr) << f.FieldName.toStdString();
        EXPECT_EQ(box->objectName(), f.FieldName);
        EXPECT_TRUE(form->DataPage()->widget(f.PageID)->isAncestorOf(box))
            << f.FieldName.toStdString();
    }
    for (const char* name : {"tbHold", "tbSave", "tbAdd", "tbCheck", "tbPrint", "tbReturn"})
        EXPECT_NE(form->button(name), nullptr) << name;
    EXPECT_EQ(form->button("tbHold")->toolTip(), "临时保存输入的数据");
}

TEST_F(SurveyDataFormTest, ReadingAndWritingFollowTheFieldKinds) {
    QVariantMap row{{"c901", 130102000001.0},
                    {"c902", "  长安区总工会 "},
                    {"c903", 130102},
                    {"c904", 3},
                    {"c907", 1},
                    {"z001", 12.0},
                    {"z005", 5},
                    {"b014", 2.5},
                    {"nothing", 9}};
    editor->form().read(row);
    form->showValues();
    EXPECT_EQ(number("z001")->text(), "12");
    EXPECT_EQ(number("z002")->text(), ""); // 0 shows nothing
    const QVariantMap written = editor->form().values().written();
    EXPECT_EQ(written.value("c902").toString(), "长安区总工会");
    EXPECT_EQ(written.value("z001").toLongLong(), 12);
    // Stored values go back as they came, even one a box would not take.
    EXPECT_EQ(written.value("z005").toInt(), 5);
    EXPECT_TRUE(written.value("z002").isNull());
    EXPECT_DOUBLE_EQ(written.value("b014").toDouble(), 2.5);
    EXPECT_FALSE(written.contains("nothing"));
    EXPECT_FALSE(written.contains("RecordState")); // no box, not written
    EXPECT_EQ(written.size(), 205);
}

TEST_F(SurveyDataFormTest, ReportingStateAndLevelRules) {
    form->ApplyReportingState(1);
    form->ApplyLevelRules(4); // a township union: the county-and-above pages are off
    EXPECT_FALSE(form->box("d001")->isEnabled());
    EXPECT_TRUE(form->box("z001")->isEnabled());
    number("z001")->setValue(7);
    form->ApplyReportingState(3);
    for (const EntryPage& page : EntryPages())
        for (const QString& field : page.index == 0 ? QStringList() : page.fields()) {
            EXPECT_FALSE(form->box(field)->isEnabled()) << field.toStdString();
        }
    EXPECT_EQ(number("z001")->value(), 0);
    EXPECT_FALSE(form->button("tbCheck")->isEnabled());
    EXPECT_FALSE(form->button("tbHold")->isEnabled());
    form->ApplyReportingState(1);
    EXPECT_TRUE(form->box("z001")->isEnabled());
    EXPECT_FALSE(form->box("d001")->isEnabled()); // level rules applied again
    EXPECT_TRUE(form->button("tbCheck")->isEnabled());
    form->ApplyLevelRules(3);
    EXPECT_TRUE(form->box("d001")->isEnabled());
}

TEST_F(SurveyDataFormTest, EnterWalksThePageAndUpFromTheCoverShowsTheLastPage) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->setLoaded(false); // the walk alone; the page guard has tests of its own
    form->ApplyReportingState(1);
    form->ApplyLevelRules(3); // a county union fills every box of 表1
    form->DataPage()->setCurrentIndex(1);
    form->FocusFirstField();
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(visited.first(), "z001");
    EXPECT_EQ(visited.last(), "z011");
    EXPECT_EQ(form->DataPage()->currentIndex(), 2); // on to the next page
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "x001");

    form->DataPage()->setCurrentIndex(0);
    form->FocusFirstField();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "c901");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(form->DataPage()->currentIndex(), 13);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "y012");
    int saves = 0;
    QObject::connect(form.get(), &TdlgSurveyDataForm::formalSaveRequested, [&] { ++saves; });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(saves, 1);
}

TEST_F(SurveyDataFormTest, CodeBoxesShowTheirNamesAndApplyTheirRules) {
    number("c903")->setValue(130102);
    EXPECT_TRUE(form->c903Exit(false));
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->box("CityNameCtrl"))->text(), "河北省石家庄市长安区");
    EXPECT_EQ(shell::HeldCode(form->box("CityNameCtrl")), 130102);
    number("c903")->setValue(13010);
    EXPECT_FALSE(form->c903Exit(true));
    number("c907")->setValue(1);
    EXPECT_TRUE(form->c907Exit(false));
    number("c904")->setValue(4);
    EXPECT_TRUE(form->c904Exit(false));
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->box("LevelName"))->text(), "乡镇工会");
    EXPECT_FALSE(form->box("d001")->isEnabled());
    number("c904")->setValue(99);
    EXPECT_FALSE(form->c904Exit(false)); // without a person: no message
    number("c907")->setValue(0);
    EXPECT_FALSE(form->c907Exit(true));
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{"输入的行政区划代码错误，请重新输入，或用对话框选择",
                           "输入的填报状态代码不合法，请重新输入或通过列表选择"}));
}

TEST_F(SurveyDataFormTest, CoverBoxesCheckWhatThePersonLeaves) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->setLoaded(true);
    form->box("c901")->setFocus();
    QTest::keyClicks(form->box("c901"), "13010200000");
    QTest::keyClick(form->box("c901"), Qt::Key_Return);
    EXPECT_EQ(ui.messageTexts(), QStringList{"工会统计编码必须为12位"});
    // The filler's box swallows Latin letters and digits; the phone's takes digits and "-".
    QTest::keyClicks(form->box("c905"), "ab1.");
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->box("c905"))->text(), "");
    QTest::keyClicks(form->box("c906"), "0311-x8a6");
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->box("c906"))->text(), "0311-86");
}

TEST_F(SurveyDataFormTest, ValidatingTheCoverStopsAtTheFirstBrokenRule) {
    connection().execute("insert into dt_data (c901, c902) values (130102000001, '甲')");
    auto* code = qobject_cast<QLineEdit*>(form->box("c901"));
    code->setText("130102000001");
    qobject_cast<QLineEdit*>(form->box("c902"))->setText("长安区总工会");
    number("c903")->setValue(130102);
    number("c904")->setValue(3);
    number("c907")->setValue(1);
    qobject_cast<QLineEdit*>(form->box("c905"))->setText("张三");
    qobject_cast<QLineEdit*>(form->box("c906"))->setText("0311-86012345");
    form->DataPage()->setCurrentIndex(2);
    EXPECT_FALSE(form->ValidateCover(true, 0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("在增加数据时"));
    EXPECT_EQ(form->DataPage()->currentIndex(), 0);
    EXPECT_FALSE(form->button("tbSave")->isEnabled());
    // Editing that record itself keeps its code.
    EXPECT_TRUE(form->ValidateCover(false, 130102000001.0));
}

TEST_F(SurveyDataFormTest, ACatalogueRowWithoutABoxIsLeftAlone) {
    shell::TFieldDataArray withExtra = catalogue;
    shell::TFieldData extra;
    extra.ID = 900;
    extra.FieldName = "q999";
    extra.QueryType = shell::QueryType::WholeNumber;
    extra.Rule = "in [1]";
    withExtra.push_back(extra);
    RecordEditor otherEditor(connection(), ui, withExtra);
    TdlgSurveyDataForm other(otherEditor, connection(), ui, codeMenu);
    other.LoadCodeLists();
    otherEditor.form().prepareNew();
    otherEditor.form().read({{"q999", 5}, {"z001", 3}});
    other.showValues();
    other.ApplyReportingState(1);
    other.ApplyLevelRules(2);
    const QVariantMap written = otherEditor.form().values().written();
    EXPECT_FALSE(written.contains("q999"));
    EXPECT_EQ(written.value("z001").toInt(), 3);
    EXPECT_EQ(other.box("q999"), nullptr);
}

TEST_F(SurveyDataFormTest, TheTextBoxesAskForThePreferredInputMethod) {
    form->setPreferredInputMethod("五笔");
    form->EditBoxEnter(form->box("c901"));
    EXPECT_EQ(form->lastInputMethodRequest(), "");
    form->EditBoxEnter(form->box("c905"));
    EXPECT_EQ(form->lastInputMethodRequest(), "五笔");
}

TEST_F(SurveyDataFormTest, NotesFollowThePage) {
    qputenv("KESTRUNE_HOME", kestrune::testing::builtProgramFile("").toUtf8());
    form->DataPage()->setCurrentIndex(7);
    EXPECT_TRUE(form->rtfNotes()->toPlainText().contains("j001"));
    form->LoadNotes("TableNotesJG-99");
    EXPECT_TRUE(form->rtfNotes()->toPlainText().isEmpty());
    qputenv("KESTRUNE_HOME", env.programFolder().toUtf8());
}

TEST_F(SurveyDataFormTest, TheCoverBoxesHintAndTheRegionCodeShowsItsZero) {
    EXPECT_EQ(form->box("c903")->toolTip(), "输入本级工会行政区划代码");
    EXPECT_EQ(form->box("CityNameCtrl")->toolTip(), "选择本级工会所在地行政区划");
    EXPECT_EQ(form->box("c904")->toolTip(), "输入本级工会层次代码");
    EXPECT_EQ(form->box("LevelName")->toolTip(), "本级工会层次");
    number("c903")->setValue(0);
    EXPECT_EQ(number("c903")->text(), "0");
    number("c901")->setValue(0);
    EXPECT_EQ(number("c901")->text(), ""); // the unit code may stay empty
}

TEST_F(SurveyDataFormTest, TheWomenWorkersCadresStandUnderTheirGroupCaption) {
    QWidget* page = form->DataPage()->widget(1);
    QLabel* caption = nullptr;
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->text() == "本级工会女职工工作干部")
            caption = label;
    ASSERT_NE(caption, nullptr);
    // The caption spans exactly the columns of z006 and z007, in one row of boxes.
    bool found = false;
    for (QGridLayout* grid : page->findChildren<QGridLayout*>()) {
        const int at = grid->indexOf(caption);
        if (at < 0)
            continue;
        found = true;
        int row, column, rows, columns;
        grid->getItemPosition(at, &row, &column, &rows, &columns);
        QList<int> spanned;
        for (int c = column; c < column + columns; ++c)
            if (QLayoutItem* item = grid->itemAtPosition(3, c); item && item->widget())
                spanned << c;
        ASSERT_EQ(spanned.size(), 2);
        EXPECT_EQ(grid->itemAtPosition(3, spanned[0])->widget()->objectName(), "z006");
        EXPECT_EQ(grid->itemAtPosition(3, spanned[1])->widget()->objectName(), "z007");
    }
    EXPECT_TRUE(found);
}

TEST_F(SurveyDataFormTest, TheDialogFitsA1366By768ScreenAndEveryBoxCanBeReached) {
    // 1366 by 768 less a task bar, and a window manager's frame.
    const QRect area(0, 0, 1366, 728);
    const QRect client = shell::FitIntoArea(area, shell::kUsualFrame, QSize(995, 708),
                                            form->minimumSizeHint(), QPoint(10, 2));
    ASSERT_TRUE(area.contains(client.marginsAdded(shell::kUsualFrame)));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->setLoaded(false); // no cover checks while the focus wanders
    form->setGeometry(client);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), client.size());
    for (const char* name : {"tbHold", "tbAdd", "tbCheck", "tbPrint", "tbReturn"}) {
        QPushButton* button = form->button(name);
        EXPECT_TRUE(
            form->rect().contains(QRect(button->mapTo(form.get(), QPoint(0, 0)), button->size())))
            << name;
    }
    // A box that takes the focus is scrolled into view on its page.
    for (int p = 1; p < form->DataPage()->count(); ++p) {
        form->DataPage()->setCurrentIndex(p);
        QApplication::processEvents();
        QWidget* shown = form->DataPage()->currentWidget();
        for (const QString& field : EntryPages()[size_t(p)].fields()) {
            QWidget* box = form->box(field);
            box->setFocus();
            const QRect at(box->mapTo(shown, QPoint(0, 0)), box->size());
            EXPECT_TRUE(shown->rect().contains(at)) << field.toStdString();
        }
    }
    form->hide();
}

} // namespace
