#include "mainwindow/MainForm.h"
#include "mainwindow/MainWindowFixture.h"
#include "schema/Connection.h"
#include "shell/RecordList.h"
#include "shell/ui/DeleteForm.h"
#include "shell/ui/LocateForm.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/RecordGrid.h"
#include "shell/ui/RecordGridModel.h"
#include "shell/ui/SearchForm.h"
#include "shell/ui/ShowForm.h"
#include "shell/ui/ToolForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using namespace kestrune::mainwindow;

namespace {

// The contrast ratio of two colours as the accessibility guidelines define it
// (1 to 21; body text wants at least 4.5).
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class RecordDialogsTest : public kestrune::testing::MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowFixture::SetUp());
        addRecords(6);
    }

    TRecordGrid* grid() { return window->recordGrid(); }
    QString header(int c) {
        return grid()->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QVariant headerColour(int c) {
        return grid()->model()->headerData(c, Qt::Horizontal, Qt::BackgroundRole);
    }
    // The colour a title's text is drawn in: its own, else the header's.
    QColor headerText(int c) {
        const QVariant own = grid()->model()->headerData(c, Qt::Horizontal, Qt::ForegroundRole);
        return own.isValid() ? own.value<QColor>()
                             : grid()->horizontalHeader()->palette().color(QPalette::ButtonText);
    }
    int count() { return connection().scalar("select count(*) from dt_data").toInt(); }
    QString names() {
        return connection()
            .scalar("select group_concat(c902) from (select c902 from dt_data order by c901)")
            .toString();
    }
    // The person selects rows, in this order.
    void select(const std::vector<int>& rows) {
        grid()->clearSelection();
        for (int row : rows)
            grid()->selectionModel()->select(grid()->model()->index(row, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
    }
};

TEST_F(RecordDialogsTest, TitleClicksSortDescendingThenAscendingWithMarks) {
    grid()->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(header(0), "901. 本级工会统计编码▼");
    EXPECT_EQ(headerColour(0).value<QColor>(), QColor(0, 255, 0));
    EXPECT_EQ(grid()->model()->index(0, 0).data().toString(), "100000000006");
    grid()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(header(1), "902. 本级工会名称▲");
    EXPECT_EQ(header(0), "901. 本级工会统计编码");
    EXPECT_NE(headerColour(0).value<QColor>(), QColor(0, 255, 0));
    EXPECT_TRUE(headerColour(0).isValid());
    // Both titles stay readable: the one sorted before and the sorted one.
    EXPECT_GE(contrast(headerColour(0).value<QColor>(), headerText(0)), 4.5);
    EXPECT_GE(contrast(headerColour(1).value<QColor>(), headerText(1)), 4.5);
    EXPECT_GE(contrast(PreviouslySortedTitleColour(Qt::white), Qt::white), 4.5);
    EXPECT_GE(contrast(PreviouslySortedTitleColour(Qt::black), Qt::black), 4.5);
    grid()->horizontalHeader()->sectionClicked(1); // a second click on the sorted title
    EXPECT_GE(contrast(headerColour(0).value<QColor>(), headerText(0)), 4.5);
    EXPECT_GE(contrast(headerColour(1).value<QColor>(), headerText(1)), 4.5);
    grid()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(grid()->model()->index(0, 1).data().toString(), "单位1");
    // Rows are striped.
    EXPECT_EQ(grid()->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
              QColor(249, 251, 231));
    EXPECT_EQ(grid()->model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(),
              QColor(219, 219, 241));
}

TEST_F(RecordDialogsTest, DeleteDialogRangeAndSelection) {
    TdlgDeleteForm dialog(session.database, *grid(), window->recordList(), ui);
    EXPECT_TRUE(dialog.selectedChoice()->isChecked());
    dialog.rangeChoice()->setChecked(true);
    dialog.runDeletion();
    EXPECT_EQ(ui.messageTexts(), QStringList{"请输入删除的范围"});
    dialog.fromEdit()->setText("100000000004");
    dialog.toEdit()->setText("100000000002");
    ui.confirmAnswers = {true};
    dialog.runDeletion();
    EXPECT_EQ(dialog.toEdit()->text(), "100000000004");
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(connection().scalar("select count(*) from dt_data where c901=100000000004").toInt(),
              0);
    EXPECT_EQ(grid()->model()->rowCount(), 5);

    // Two selected rows, "全都是": exactly those go.
    select({1, 3});
    TdlgDeleteForm again(session.database, *grid(), window->recordList(), ui);
    EXPECT_TRUE(again.selectedChoice()->isChecked());
    ui.questionAnswers = {Question::ResultYesToAll};
    again.runDeletion();
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(names(), "单位1,单位3,单位6");
}

TEST_F(RecordDialogsTest, AfterADeletionTheNeighbourIsCurrentAndNothingIsChosen) {
    select({2, 3}); // 单位3 and 单位4
    TdlgDeleteForm dialog(session.database, *grid(), window->recordList(), ui);
    EXPECT_TRUE(dialog.selectedChoice()->isEnabled());
    EXPECT_TRUE(dialog.selectedChoice()->isChecked());
    ui.questionAnswers = {Question::ResultYesToAll};
    dialog.runDeletion();
    EXPECT_EQ(names(), "单位1,单位2,单位5,单位6");
    // The row that followed the deleted ones is current, not the last record.
    EXPECT_EQ(window->recordList().currentCode(), 100000000005.0);
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    // Nobody chose it: nothing is selected and "选中的数据" is not offered.
    EXPECT_FALSE(grid()->selectionModel()->hasSelection());
    EXPECT_FALSE(dialog.selectedChoice()->isEnabled());
    EXPECT_FALSE(dialog.selectedChoice()->isChecked());
    // A second "删  除" deletes nothing and asks nothing.
    dialog.findChild<QPushButton*>("deleteButton")->click();
    EXPECT_EQ(names(), "单位1,单位2,单位5,单位6");
    EXPECT_EQ(ui.questions.size(), 1);

    // Deleting the last rows leaves the row before them current.
    select({2, 3}); // 单位5 and 单位6
    TdlgDeleteForm last(session.database, *grid(), window->recordList(), ui);
    ui.questionAnswers = {Question::ResultYesToAll};
    last.runDeletion();
    EXPECT_EQ(names(), "单位1,单位2");
    EXPECT_EQ(window->recordList().currentCode(), 100000000002.0);
    EXPECT_EQ(grid()->currentIndex().row(), 1);

    // So does a range deletion that takes the current row.
    grid()->setCurrentIndex(grid()->model()->index(0, 0));
    TdlgDeleteForm range(session.database, *grid(), window->recordList(), ui);
    range.fromEdit()->setText("100000000001");
    range.toEdit()->setText("100000000001");
    range.rangeChoice()->setChecked(true);
    ui.confirmAnswers = {true};
    range.runDeletion();
    EXPECT_EQ(names(), "单位2");
    EXPECT_EQ(window->recordList().currentCode(), 100000000002.0);
    EXPECT_FALSE(grid()->selectionModel()->hasSelection());
    EXPECT_FALSE(range.selectedChoice()->isEnabled());
}

TEST_F(RecordDialogsTest, EachQuestionAboutSeveralRowsShowsItsRow) {
    select({4, 1}); // in this order
    TdlgDeleteForm dialog(session.database, *grid(), window->recordList(), ui);
    std::vector<int> shownRows;
    std::vector<int> selectedCounts;
    ui.onQuestion = [&](const QString&) {
        shownRows.push_back(grid()->currentIndex().row());
        selectedCounts.push_back(int(grid()->selectionModel()->selectedRows().size()));
    };
    // A closed dialog goes on with the next row; "否" stops.
    ui.questionAnswers = {Question::ResultCancel, Question::ResultNo};
    dialog.runDeletion();
    EXPECT_EQ(shownRows, (std::vector<int>{4, 1}));
    EXPECT_EQ(selectedCounts, (std::vector<int>{2, 2})); // the choice stays visible
    EXPECT_EQ(count(), 6);
}

TEST_F(RecordDialogsTest, LocateDialogStartsInTheCodeBox) {
    window->show();
    TdlgLocateForm dialog(session.database, window->recordList(), ui, window.get());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.codeEdit());
    QTest::keyClicks(QApplication::focusWidget(), "100000000003");
    EXPECT_EQ(dialog.codeEdit()->text(), "100000000003");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->recordList().currentCode(), 100000000003.0);
}

TEST_F(RecordDialogsTest, LocateDialogMessagesAndFinding) {
    TdlgLocateForm dialog(session.database, window->recordList(), ui);
    dialog.codeEdit()->setText("10000000000");
    dialog.locate();
    EXPECT_EQ(ui.messageTexts(), QStringList{"编码必须为12位"});
    dialog.codeEdit()->setText("100000000005");
    dialog.locate();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(window->recordList().currentCode(), 100000000005.0);
    // The name box refuses quotes.
    int pos = 0;
    QString quoted = "单位'";
    EXPECT_EQ(dialog.nameEdit()->validator()->validate(quoted, pos), QValidator::Invalid);
}

TEST_F(RecordDialogsTest, AClickInAnOperatorBoxOpensItsMenu) {
    TToolForm tool;
    TdlgSearchForm search(tool, ui, [](const QString&) {});
    search.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&search));
    QTest::mouseClick(search.firstOperator(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_TRUE(tool.menu()->isVisible());
    EXPECT_EQ(tool.currentCodeEdit(), search.firstOperator());
    QStringList items;
    for (QAction* item : tool.menu()->actions())
        items << item->text();
    ASSERT_EQ(items, (QStringList{"=", ">", "<", ">=", "<="}));
    tool.menu()->actions()[3]->trigger();
    tool.menu()->hide();
    EXPECT_EQ(search.firstOperator()->text(), ">=");
    EXPECT_EQ(HeldCode(search.firstOperator()), 4);

    QTest::mouseClick(search.conjunction(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_TRUE(tool.menu()->isVisible());
    EXPECT_EQ(tool.currentCodeEdit(), search.conjunction());
    EXPECT_EQ(tool.menu()->actions().size(), 2);
    tool.menu()->hide();
}

TEST_F(RecordDialogsTest, NumberRangeSearchOpensTheResultList) {
    TToolForm tool;
    QString seen;
    TdlgSearchForm search(tool, ui, [&](const QString& condition) { seen = condition; });
    search.search();
    EXPECT_EQ(ui.messageTexts(), QStringList{"请至少输入一个条件"});
    SetHeldCode(search.secondOperator(), 4);
    search.secondNumber()->setText("100000000004");
    search.search();
    EXPECT_EQ(seen, "where c901>=100000000004");

    TdlgQueryListForm results(session.database, ui);
    results.setCondition(seen);
    EXPECT_EQ(results.countLabel()->text(), "符合条件的数据总数：3");
    EXPECT_EQ(results.listStatement(),
              "SELECT * from view_data where c901>=100000000004 order by c901 asc");
    EXPECT_EQ(results.grid()->model()->headerData(0, Qt::Horizontal).toString(),
              "901. 本级工会统计编码▲");
    results.grid()->setCurrentIndex(results.grid()->model()->index(0, 0));
    ui.questionAnswers = {Question::ResultYes};
    results.deleteSelected();
    EXPECT_EQ(results.countLabel()->text(), "符合条件的数据总数：2");
    EXPECT_EQ(count(), 5);
}

TEST_F(RecordDialogsTest, UncheckingEveryBoxHidesEveryOfferedColumn) {
    TdlgShowForm dialog(session.database, ui, [this] { window->BuildRecordColumns(); });
    EXPECT_EQ(dialog.tabs()->count(), 14);
    for (QCheckBox* box : dialog.boxes())
        box->setChecked(false);
    dialog.save();
    EXPECT_EQ(ui.messageTexts(), QStringList{"保存成功"});
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    // The record state is not among the boxes: its column stays.
    ASSERT_EQ(grid()->model()->columnCount(), 1);
    EXPECT_EQ(header(0), "数据状态");

    // Opened again, the dialog brings a column back beside it.
    TdlgShowForm again(session.database, ui, [this] { window->BuildRecordColumns(); });
    again.boxes().front()->setChecked(true);
    again.save();
    ASSERT_EQ(grid()->model()->columnCount(), 2);
    EXPECT_EQ(header(0), "901. 本级工会统计编码");
    EXPECT_EQ(header(1), "数据状态");
}

} // namespace
