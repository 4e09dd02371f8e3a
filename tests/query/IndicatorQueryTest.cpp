#include "entry/RecordEditor.h"
#include "entry/ui/SurveyDataForm.h"
#include "mainwindow/CommandSet.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/MainWindowFixture.h"
#include "query/ui/DataSearchCodeForm.h"
#include "query/ui/DataSearchForm.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/RecordGrid.h"
#include "shell/ui/ToolForm.h"
#include "support/Typing.h"
#include "workbook/Workbook.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace kestrune;
using namespace kestrune::query;
using namespace kestrune::shell;
using kestrune::entry::TdlgSurveyDataForm;

namespace {

constexpr int kGreater = 2;
constexpr int kAtLeast = 4;

class IndicatorQueryTest : public kestrune::testing::MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowFixture::SetUp());
        // Three township unions; only the second audits (y005), only the
        // first and the third have a legal adviser (b001), and the first
        // and the third have members (z001).
        const QList<QVariantList> rows = {{130102000001.0, "甲", 0, 4, 120},
                                          {130102000002.0, "乙", 3, 0, 0},
                                          {130102000003.0, "丙", 0, 9, 80}};
        for (const QVariantList& row : rows)
            connection().execute("insert into dt_data (c901, c902, c903, c904, c907, c905, c906, "
                                 "RecordState, y005, b001, z001) "
                                 "values (?, ?, 130102, 4, 1, '张三', '0311-86012345', 1, ?, ?, ?)",
                                 row);
        window->refreshList();
        documents = env.path("documents");
        WriteRegText("Personal", documents, RegistryRoot::CurrentUser, kShellFoldersKey);
    }

    // The condition dialog with its result list caught instead of shown.
    std::unique_ptr<TdlgDataSearchForm> conditionDialog() {
        return std::make_unique<TdlgDataSearchForm>(
            connection(), window->toolForm(), ui,
            [this](const IndicatorCondition& condition) { shown = condition; });
    }
    std::unique_ptr<TdlgQueryListForm> resultList(const IndicatorCondition& condition) {
        auto list = std::make_unique<TdlgQueryListForm>(session.database, ui, window.get());
        list->setRecordEditing([this](RecordList& results) { window->editRecordsOf(results); });
        list->setCondition(condition.statement.text, condition.statement.values);
        return list;
    }
    IndicatorCondition condition(const QString& field, int op, const QString& number) {
        return std::get<IndicatorCondition>(
            BuildIndicatorCondition({field, op, number, kNoOperator, {}}));
    }
    QStringList names(TdlgQueryListForm& list) {
        QStringList found;
        for (int row = 0; row < list.results().rowCount(); ++row)
            found << list.results().value(row, 1).toString(); // c902 is the second column
        return found;
    }
    QStringList storedNames() {
        return connection()
            .scalar("select group_concat(c902, ',') from (select c902 from dt_data order by c901)")
            .toString()
            .split(',');
    }

    std::optional<IndicatorCondition> shown;
    QString documents;
};

TEST_F(IndicatorQueryTest, TheMainWindowOffersTheSearch) {
    EXPECT_TRUE(mainwindow::MainCommands().offers(mainwindow::ActionId::ConditionSearch));
}

TEST_F(IndicatorQueryTest, AppendixTwoIndicatorsListFromTheFullViewOthersFromTheRecordView) {
    auto audits = resultList(condition("y005", kGreater, "0"));
    EXPECT_EQ(audits->windowTitle(), "查询结果列表");
    EXPECT_EQ(audits->listStatement(),
              "SELECT * from view_data_all where y005>? order by c901 asc");
    EXPECT_EQ(audits->detailStatement(), "SELECT * from dt_data where y005>? order by c901 asc");
    EXPECT_EQ(audits->countLabel()->text(), "符合条件的数据总数：1");
    EXPECT_EQ(names(*audits), QStringList{"乙"});

    auto advisers = resultList(condition("b001", kGreater, "0"));
    EXPECT_EQ(advisers->listStatement(), "SELECT * from view_data where b001>? order by c901 asc");
    EXPECT_EQ(advisers->countLabel()->text(), "符合条件的数据总数：2");
    EXPECT_EQ(names(*advisers), (QStringList{"甲", "丙"}));
    QAbstractItemModel* model = advisers->grid()->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "901. 本级工会统计编码▲");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "902. 本级工会名称");
}

TEST_F(IndicatorQueryTest, TheDialogBuildsTheConditionFromItsBoxes) {
    auto dialog = conditionDialog();
    EXPECT_EQ(dialog->windowTitle(), "指标查询");
    EXPECT_EQ(HeldCode(dialog->firstOperator()), -1);
    EXPECT_EQ(HeldCode(dialog->secondOperator()), -1);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->dataField()->setText("z001");
    // The operator menu opens on a click in the box.
    QTest::mouseClick(dialog->firstOperator(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    TToolForm& menu = window->toolForm();
    ASSERT_TRUE(menu.menu()->isVisible());
    EXPECT_EQ(menu.currentCodeEdit(), dialog->firstOperator());
    ASSERT_EQ(menu.menu()->actions().size(), 5);
    menu.menu()->actions()[3]->trigger(); // ">="
    menu.menu()->hide();
    EXPECT_EQ(dialog->firstOperator()->text(), ">=");
    EXPECT_EQ(HeldCode(dialog->firstOperator()), kAtLeast);
    dialog->lc3ButtonClick();
    menu.menu()->actions()[4]->trigger(); // "<="
    menu.menu()->hide();
    // Number boxes take digits only.
    dialog->firstNumber()->setFocus();
    kestrune::testing::typeInto(dialog->firstNumber(), "5a-");
    dialog->secondNumber()->setFocus();
    kestrune::testing::typeInto(dialog->secondNumber(), "10");
    EXPECT_EQ(dialog->firstNumber()->text(), "5");
    QTest::mouseClick(dialog->searchButton(), Qt::LeftButton);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, "where z001>=5 and z001<=10");
    EXPECT_TRUE(ui.messageTexts().isEmpty());
}

TEST_F(IndicatorQueryTest, RefusedConditionsKeepTheDialogAsItWas) {
    auto dialog = conditionDialog();
    dialog->show();
    const auto search = [&] {
        ui.messages.clear();
        dialog->tbSumClick();
        return ui.messageTexts();
    };
    EXPECT_EQ(search(), QStringList{"请选择指标"});
    EXPECT_EQ(dialog->focusWidget(), dialog->dataField());
    dialog->dataField()->setText("c901");
    EXPECT_EQ(search(), QStringList{"请至少输入一个条件"});
    SetHeldCode(dialog->firstOperator(), 1);
    dialog->firstNumber()->setText("13010200000");
    EXPECT_EQ(search(), QStringList{"c901必须为12位"});
    EXPECT_EQ(dialog->focusWidget(), dialog->firstNumber());
    dialog->firstNumber()->setText("130102000001");
    dialog->secondNumber()->setText("130102000003");
    EXPECT_EQ(search(), QStringList{"请为第二个数值选择比较符"});
    EXPECT_EQ(dialog->focusWidget(), dialog->secondNumber());
    SetHeldCode(dialog->firstOperator(), -1);
    dialog->firstNumber()->clear();
    SetHeldCode(dialog->secondOperator(), 3);
    EXPECT_EQ(search(), QStringList{"请先输入第一个条件，再输入第二个条件"});
    EXPECT_FALSE(shown);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->dataField()->text(), "c901");
    EXPECT_EQ(dialog->secondNumber()->text(), "130102000003");
    EXPECT_EQ(HeldCode(dialog->secondOperator()), 3);
}

TEST_F(IndicatorQueryTest, TheChooserListsSheetsAndTheirIndicators) {
    TDataSearchCodeForm chooser(connection());
    EXPECT_EQ(chooser.windowTitle(), "选择指标");
    QTableWidget* sheets = chooser.sheetGrid();
    ASSERT_EQ(sheets->rowCount(), 14);
    EXPECT_EQ(sheets->item(0, 0)->text(), "封面");
    EXPECT_EQ(sheets->item(13, 0)->text(), "附表2  工会经费审查工作情况");
    chooser.show();
    EXPECT_EQ(chooser.selectedSheet(), 0);
    QTableWidget* indicators = chooser.indicatorGrid();
    ASSERT_EQ(indicators->rowCount(), 4);
    EXPECT_EQ(indicators->item(3, 0)->text(), "c907");
    // An arrow key in the sheet grid moves to the next sheet.
    sheets->setFocus();
    QTest::keyClick(sheets, Qt::Key_Down);
    EXPECT_EQ(chooser.selectedSheet(), 1);
    EXPECT_EQ(indicators->rowCount(), 11);
    sheets->setCurrentCell(13, 0);
    EXPECT_EQ(chooser.selectedSheet(), 13);
    ASSERT_EQ(indicators->rowCount(), 12);
    EXPECT_EQ(indicators->item(4, 0)->text(), "y005");
    indicators->setCurrentCell(4, 0);
    chooser.okClick();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.chosen(), "y005");

    TDataSearchCodeForm cancelled(connection());
    cancelled.show();
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.chosen(), "");
}

TEST_F(IndicatorQueryTest, NothingFoundShowsZeroAndEditingDoesNothing) {
    auto none = resultList(condition("z001", kGreater, "500"));
    EXPECT_EQ(none->countLabel()->text(), "符合条件的数据总数：0");
    EXPECT_EQ(none->grid()->model()->rowCount(), 0);
    bool edited = false;
    none->setRecordEditing([&](RecordList&) { edited = true; });
    QTest::mouseClick(none->editButton(), Qt::LeftButton);
    EXPECT_FALSE(edited);
    EXPECT_FALSE(window->entryForm()->isVisible());
}

TEST_F(IndicatorQueryTest, AFoundRecordEditedAndSavedShowsTheChangeInTheResults) {
    window->show();
    auto list = resultList(condition("z001", kGreater, "0"));
    list->show();
    list->grid()->setCurrentIndex(list->grid()->model()->index(1, 0));
    TdlgSurveyDataForm* dialog = window->entryForm();
    QStringList seen;
    QTimer::singleShot(0, dialog, [&, dialog] {
        if (!QTest::qWaitForWindowActive(dialog))
            ADD_FAILURE() << "the entry dialog did not become active";
        auto* name = qobject_cast<QLineEdit*>(dialog->box("c902"));
        seen << name->text() << dialog->itemNo()->text();
        // Its navigation moves through the results, not the whole list.
        dialog->navAction("actFirst")->trigger();
        seen << name->text() << dialog->itemNo()->text();
        name->setFocus();
        name->selectAll();
        kestrune::testing::typeInto(name, "甲改");
        dialog->button("tbSave")->click();
        dialog->tbReturnClick();
    });
    QTest::keyClick(list->grid(), Qt::Key_Return);
    EXPECT_EQ(seen, (QStringList{"丙", "第2条/共2条", "甲", "第1条/共2条"}));
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据保存成功，没有逻辑错误！"});
    EXPECT_EQ(names(*list), (QStringList{"甲改", "丙"}));
    EXPECT_EQ(list->results().currentRow(), 0);
    EXPECT_EQ(storedNames(), (QStringList{"甲改", "乙", "丙"}));
}

TEST_F(IndicatorQueryTest, DeletingFromTheResultsRemovesTheRecordFromTheTable) {
    auto list = resultList(condition("b001", kGreater, "0"));
    list->grid()->setCurrentIndex(list->grid()->model()->index(1, 0));
    ui.questionAnswers = {Question::ResultYes};
    QTest::mouseClick(list->findChild<QPushButton*>("tbDelete"), Qt::LeftButton);
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(list->countLabel()->text(), "符合条件的数据总数：1");
    EXPECT_EQ(names(*list), QStringList{"甲"});
    EXPECT_EQ(storedNames(), (QStringList{"甲", "乙"}));
}

TEST_F(IndicatorQueryTest, TheDetailsGoToADatabaseFileAndTheListToAWorkbook) {
    auto list = resultList(condition("b001", kGreater, "0"));
    ui.fileAnswers = {documents + "/details"};
    list->accessExportAction()->trigger();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(ui.fileDialogs[0].proposedName.startsWith("Kestrune查询结果"));
    const QString databaseFile = documents + "/details.mdb";
    ASSERT_TRUE(QFile::exists(databaseFile)) << ui.messageTexts().join('\n').toStdString();
    db::Connection exported;
    exported.open(databaseFile);
    EXPECT_EQ(
        exported.scalar("select group_concat(c902, ',') from \"Kestrune查询结果\"").toString(),
        "甲,丙");
    // Every stored column of the records.
    EXPECT_EQ(exported.query("select * from \"Kestrune查询结果\" where 0").columnNames().size(),
              connection().query("select * from dt_data where 0").columnNames().size());

    ui.fileAnswers = {documents + "/list"};
    list->excelExportAction()->trigger();
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_TRUE(ui.fileDialogs[1].proposedName.startsWith("Kestrune查询结果"));
    const QString bookFile = documents + "/list.xlsx";
    ASSERT_TRUE(QFile::exists(bookFile)) << ui.messageTexts().join('\n').toStdString();
    workbook::Workbook book = workbook::Workbook::open(bookFile);
    workbook::Worksheet sheet = book.sheet(1);
    // The titles as the grid shows them, without the sort mark.
    EXPECT_EQ(sheet.cell("A3"), workbook::CellValue(QString("901. 本级工会统计编码")));
    EXPECT_EQ(sheet.cell("B3"), workbook::CellValue(QString("902. 本级工会名称")));
    EXPECT_EQ(sheet.cell("B5"), workbook::CellValue(QString("甲")));
    EXPECT_EQ(sheet.cell("B6"), workbook::CellValue(QString("丙")));
    EXPECT_EQ(sheet.cell("B7"), workbook::CellValue());
}

TEST_F(IndicatorQueryTest, ExportDescriptorsTakeTheGridsTitlesAndTheListsTypes) {
    auto list = resultList(condition("b001", kGreater, "0"));
    QStringList titles;
    for (int c = 0; c < list->grid()->model()->columnCount(); ++c)
        titles << list->grid()->model()->headerData(c, Qt::Horizontal).toString();
    const TFieldDataArray descriptors =
        ResultListDescriptors(list->listQuery(), list->results().columns(), titles);
    ASSERT_GE(descriptors.size(), 3u);
    EXPECT_EQ(descriptors[0].ShowName, "c901");
    EXPECT_EQ(descriptors[0].Hint, "901. 本级工会统计编码");
    EXPECT_EQ(descriptors[0].FieldType, "DOUBLE");
    EXPECT_EQ(descriptors[1].ShowName, "c902");
    EXPECT_TRUE(descriptors[1].FieldType.startsWith("VARCHAR("))
        << descriptors[1].FieldType.toStdString();
    // A looked-up name is typed as the column it comes from; the record
    // state in words is an expression without a type.
    EXPECT_EQ(descriptors[2].ShowName, "CityName");
    EXPECT_EQ(descriptors[2].FieldType, "VARCHAR(100)");
    EXPECT_EQ(descriptors.back().ShowName, "RecordStateName");
    EXPECT_EQ(descriptors.back().Hint, "数据状态");
    EXPECT_EQ(descriptors.back().FieldType, "");
}

} // namespace
