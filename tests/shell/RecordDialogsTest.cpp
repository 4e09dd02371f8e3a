#include "schema/Connection.h"
#include "shell/RecordList.h"
#include "shell/Startup.h"
#include "shell/ui/DeleteForm.h"
#include "shell/ui/LocateForm.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/QueryListForm.h"
#include "shell/ui/RecordGrid.h"
#include "shell/ui/RecordGridModel.h"
#include "shell/ui/SearchForm.h"
#include "shell/ui/ShowForm.h"
#include "shell/ui/StartWindow.h"
#include "shell/ui/ToolForm.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;

namespace {

class RecordDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        window = StartMainWindow(session, ui);
        ASSERT_NE(window, nullptr);
        for (int i = 1; i <= 6; ++i)
            session.database.connection().execute(
                "insert into dt_data (c901, c902, RecordState) values (?, ?, 1)",
                {100000000000.0 + i, QString("单位%1").arg(i)});
        window->refreshList();
    }

    TRecordGrid* grid() { return window->recordGrid(); }
    QString header(int c) {
        return grid()->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QVariant headerColour(int c) {
        return grid()->model()->headerData(c, Qt::Horizontal, Qt::BackgroundRole);
    }
    int count() {
        return session.database.connection().scalar("select count(*) from dt_data").toInt();
    }

    TestEnvironment env;
    ScriptedInteraction ui;
    Session session;
    std::unique_ptr<TMainForm> window;
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
    EXPECT_EQ(session.database.connection()
                  .scalar("select count(*) from dt_data where c901=100000000004")
                  .toInt(),
              0);
    EXPECT_EQ(grid()->model()->rowCount(), 5);

    // Two selected rows, "全都是": exactly those go.
    grid()->clearSelection();
    grid()->selectionModel()->select(grid()->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid()->selectionModel()->select(grid()->model()->index(3, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog.selectedChoice()->setChecked(true);
    ui.questionAnswers = {Question::ResultYesToAll};
    dialog.runDeletion();
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(session.database.connection()
                  .scalar("select group_concat(c902) from (select c902 from dt_data order by c901)")
                  .toString(),
              "单位1,单位3,单位6");
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

TEST_F(RecordDialogsTest, UncheckingEveryBoxHidesEveryColumn) {
    TdlgShowForm dialog(session.database, ui, [this] { window->BuildRecordColumns(); });
    EXPECT_EQ(dialog.tabs()->count(), 14);
    for (QCheckBox* box : dialog.boxes())
        box->setChecked(false);
    dialog.save();
    EXPECT_EQ(ui.messageTexts(), QStringList{"保存成功"});
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_EQ(grid()->model()->columnCount(), 0);
}

} // namespace
