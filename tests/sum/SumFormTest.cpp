#include "sum/ui/SumForm.h"

#include "RecordGenerator.h"
#include "SumDatabase.h"
#include "shell/Registry.h"
#include "shell/Settings.h"
#include "sum/ui/GroupItemForm.h"
#include "workbook/Workbook.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

using namespace kestrune;
using kestrune::testing::SumDatabase;

namespace {

class SumFormTest : public SumDatabase {
protected:
    QString selection() const { return env.path("sumtable.jg"); }
};

TEST_F(SumFormTest, CoverOnlyIsRefusedAndNothingCheckedDoesNothing) {
    sum::TdlgSumForm dialog(connection(), selection(), ui);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "数据分类汇总");
    EXPECT_TRUE(dialog.breakdownChoice(sum::Breakdown::Level)->isChecked());
    EXPECT_FALSE(dialog.groupButton()->isEnabled()); // no group yet
    dialog.tbSumClick();
    EXPECT_TRUE(ui.messages.empty());
    dialog.tableList()->item(0)->setCheckState(Qt::Checked);
    dialog.tbSumClick();
    EXPECT_EQ(ui.messageTexts(), QStringList({"除去封面，请至少选择一个表格进行汇总"}));
    dialog.reject();
    EXPECT_TRUE(kestrune::testing::readFile(selection()).startsWith("&1 1 "));
}

TEST_F(SumFormTest, HeadingDoubleClickAndGroupMenu) {
    addGroup("空组", "id ASC", {});
    addGroup("按地区", "id ASC", {{"北京", ">=", 110000000000, "<", 120000000000}});
    sum::TdlgSumForm dialog(connection(), selection(), ui);
    dialog.show();
    Q_EMIT dialog.tableList()->itemDoubleClicked(dialog.tableList()->item(7));
    EXPECT_EQ(dialog.state().tables().checkedSheets(), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(dialog.tableList()->item(8)->checkState(), Qt::Checked);
    ASSERT_EQ(dialog.groupMenu()->actions().size(), 2);
    EXPECT_FALSE(dialog.groupMenu()->actions()[0]->isEnabled());
    EXPECT_TRUE(dialog.groupMenu()->actions()[1]->isEnabled());
    EXPECT_EQ(dialog.groupButton()->text(), "空组");
    dialog.groupMenu()->actions()[1]->trigger();
    EXPECT_EQ(dialog.groupButton()->text(), "按地区");
    EXPECT_TRUE(dialog.breakdownChoice(sum::Breakdown::Group)->isChecked());
    EXPECT_EQ(dialog.state().breakdown(), sum::Breakdown::Group);
}

TEST_F(SumFormTest, SummationRunsAndHandsTheWorkbookOver) {
    cli::generateRecords(connection(), 50, 9);
    const QString documents = env.path("documents");
    shell::WriteRegText("Personal", documents, shell::RegistryRoot::CurrentUser,
                        shell::kShellFoldersKey);
    sum::TdlgSumForm dialog(connection(), selection(), ui);
    dialog.show();
    dialog.tableList()->item(0)->setCheckState(Qt::Checked);
    dialog.tableList()->item(15)->setCheckState(Qt::Checked);
    QSignalSpy ended(&dialog.runner(), &shell::TimedJobRunner::ended);
    dialog.tbSumClick();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_FALSE(dialog.handedOver().isEmpty());
    const workbook::Workbook book = workbook::Workbook::open(dialog.handedOver());
    EXPECT_EQ(book.sheetCount(), 2);
    EXPECT_TRUE(QFileInfo(dialog.handedOver()).fileName().startsWith("汇总表-工会层次-"));
}

TEST_F(SumFormTest, ItemEditorButtonsFollowTheEdits) {
    const qint64 id = addGroup("甲", "id ASC", {});
    sum::TdlgGroupItemForm editor(connection(), ui, id, "甲");
    EXPECT_EQ(editor.windowTitle(), "自定义分组");
    EXPECT_FALSE(editor.saveButton()->isEnabled());
    EXPECT_EQ(editor.lowSymbol()->currentText(), ">=");
    EXPECT_EQ(editor.highSymbol()->currentText(), "<");
    EXPECT_FALSE(editor.addButton()->isEnabled());
    editor.nameEdit()->setText("北京");
    editor.lowEdit()->setText("110000000000");
    editor.highEdit()->setText("110000000000");
    EXPECT_FALSE(editor.addButton()->isEnabled());
    editor.highEdit()->setText("120000000000");
    EXPECT_TRUE(editor.addButton()->isEnabled());
    EXPECT_FALSE(editor.editButton()->isEnabled());
    editor.actAddItemExecute();
    EXPECT_EQ(editor.grid()->rowCount(), 1);
    EXPECT_TRUE(editor.editButton()->isEnabled());
    EXPECT_TRUE(editor.removeButton()->isEnabled());
    editor.groupNameEdit()->setText("乙");
    EXPECT_TRUE(editor.saveButton()->isEnabled());
    editor.tbSaveClick();
    EXPECT_EQ(connection().scalar("select name from ct_group where id=?", {id}).toString(), "乙");
}

} // namespace
