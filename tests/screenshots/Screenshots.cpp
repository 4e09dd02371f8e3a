// The pictures in docs/, drawn on the offscreen platform. They show how the
// windows look and assert nothing about behaviour, so they stay out of the
// test run: scripts/screenshots builds and runs them.
#include "RecordGenerator.h"
#include "ScreenshotSupport.h"
#include "entry/EntryDialogFixture.h"
#include "mainwindow/MainWindowFixture.h"
#include "query/ui/DataSearchCodeForm.h"
#include "query/ui/DataSearchForm.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/ToolForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::kFirstCode;

namespace {

void save(QWidget* widget, const QString& name) {
    screenshots::saveScreenshot(widget, name);
}

using MainWindowScreenshot = kestrune::testing::MainWindowFixture;

TEST_F(MainWindowScreenshot, FortyMadeUpRecords) {
    cli::generateRecords(connection(), 40, 7);
    window->refreshList();
    window->resize(1100, 700);
    window->show();
    save(window.get(), "main-window.png");
}

// The indicator query's three windows over forty made-up records: the
// condition, the indicator chooser on 表1 and the records found.
TEST_F(MainWindowScreenshot, TheIndicatorQuery) {
    cli::generateRecords(connection(), 40, 7);
    window->refreshList();
    query::IndicatorCondition found;
    query::TdlgDataSearchForm condition(
        connection(), window->toolForm(), ui,
        [&found](const query::IndicatorCondition& accepted) { found = accepted; });
    condition.dataField()->setText(QStringLiteral("z001"));
    for (QLineEdit* box : {condition.firstOperator(), condition.secondOperator()}) {
        condition.firstOperator() == box ? condition.lc1ButtonClick() : condition.lc3ButtonClick();
        window->toolForm().menu()->actions()[box == condition.firstOperator() ? 3 : 4]->trigger();
        window->toolForm().menu()->hide();
    }
    condition.firstNumber()->setText(QStringLiteral("5"));
    condition.secondNumber()->setText(QStringLiteral("50"));
    condition.show();
    save(&condition, "query-condition.png");

    query::TDataSearchCodeForm chooser(connection());
    chooser.show();
    chooser.sheetGrid()->setCurrentCell(1, 0);
    chooser.indicatorGrid()->setCurrentCell(0, 0);
    save(&chooser, "query-chooser.png");

    condition.tbSumClick();
    shell::TdlgQueryListForm results(session.database, ui);
    results.setCondition(found.statement.text, found.statement.values);
    results.resize(1000, 560);
    results.show();
    save(&results, "query-results.png");
}

class EntryScreenshot : public kestrune::testing::EntryDialogFixture {
protected:
    // At the form's size, as on a screen that holds it (the offscreen screen is smaller).
    void showAtFullSize() {
        form->show();
        form->resize(entry::TdlgSurveyDataForm::kClientWidth,
                     entry::TdlgSurveyDataForm::kClientHeight);
    }
};

TEST_F(EntryScreenshot, TheCoverAndPage3OfANewRecord) {
    editor().setAdding(true);
    form->LoadCodeLists();
    editor().form().prepareNew();
    form->showValues();
    showAtFullSize();
    form->DataPage()->setCurrentIndex(0);
    save(form.get(), "entry-cover.png");
    form->DataPage()->setCurrentIndex(3);
    save(form.get(), "entry-page3.png");
}

TEST_F(EntryScreenshot, TheSecondOfThreeRecordsWithItsLogicErrors) {
    for (int i = 0; i < 3; ++i)
        storeRecord(kFirstCode + i, QString("单位%1").arg(i + 1));
    open(false, 1);
    breakPageRule();
    type("c902", "单位2");
    form->button("tbCheck")->click();
    ASSERT_TRUE(form->messageList()->isVisible());
    showAtFullSize();
    save(form.get(), "entry-editing.png");
    save(form->messageList(), "logic-error-list.png");
}

} // namespace
