#include "entry/RecordEditor.h"
#include "entry/ui/SurveyDataForm.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/MainWindowFixture.h"
#include "schema/Connection.h"
#include "schema/Statement.h"
#include "shell/RecordColumns.h"
#include "shell/ui/RecordGrid.h"
#include "support/QtPrinters.h"
#include "support/Typing.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using namespace kestrune::mainwindow;
using kestrune::entry::TdlgSurveyDataForm;

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

// Typed into the box that has the focus, then Enter.
void enter(const QString& typed) {
    kestrune::testing::typeInto(focused(), typed);
    QTest::keyClick(focused(), Qt::Key_Return);
}

class EntryFromMainWindowTest : public kestrune::testing::MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MainWindowFixture::SetUp());
        window->show();
    }
    // Runs `steps` on the modal entry dialog once it is up, then returns
    // from it with "返  回" whatever the steps found.
    void whileOpen(const std::function<void(TdlgSurveyDataForm*)>& steps) {
        TdlgSurveyDataForm* dialog = window->entryForm();
        QTimer::singleShot(0, dialog, [dialog, steps] {
            if (QTest::qWaitForWindowActive(dialog))
                steps(dialog);
            else
                ADD_FAILURE() << "the entry dialog did not become active";
            dialog->tbReturnClick();
        });
    }
    int columnOf(const QString& field) {
        const TFieldDataArray& columns = window->recordList().columns();
        for (int c = 0; c < int(columns.size()); ++c)
            if (columns[size_t(c)].FieldName == field)
                return c;
        return -1;
    }
    QString cell(int row, const QString& field) {
        QAbstractItemModel* model = window->recordGrid()->model();
        return model->data(model->index(row, columnOf(field))).toString();
    }
};

TEST_F(EntryFromMainWindowTest, ARecordTypedInIsSavedAndListedWithItsState) {
    TdlgSurveyDataForm* created = window->entryForm();
    ASSERT_NE(created, nullptr); // made at start-up with the other long-lived windows
    QStringList visited;
    whileOpen([&](TdlgSurveyDataForm* dialog) {
        EXPECT_TRUE(dialog->editor().adding());
        EXPECT_EQ(dialog->pos(), QPoint(10, 2));
        for (const char* typed : {"130102000001", "长安区总工会", "130102", "4", "1", "张三",
                                  "0311-86012345", "25", "12"}) {
            visited << focused()->objectName();
            enter(QString::fromUtf8(typed));
        }
        visited << focused()->objectName();
        EXPECT_EQ(dialog->DataPage()->currentIndex(), 1);
        QTest::mouseClick(dialog->button("tbAdd"), Qt::LeftButton);
        // Ready for the next record.
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog->box("c901"))->text(), "130102000002");
        EXPECT_EQ(dialog->DataPage()->currentIndex(), 0);
    });
    window->action(ActionId::AddNew)->trigger();
    EXPECT_EQ(visited, (QStringList{"c901", "c902", "c903", "c904", "c907", "c905", "c906", "z001",
                                    "z002", "z003"}));
    EXPECT_EQ(ui.messageTexts(), QStringList{"数据保存成功，没有逻辑错误！"});
    EXPECT_EQ(window->entryForm(), created);
    ASSERT_EQ(window->recordList().rowCount(), 1);
    EXPECT_EQ(cell(0, "c902"), "长安区总工会");
    EXPECT_EQ(cell(0, "RecordState"), "无逻辑错误");
    EXPECT_TRUE(window->actionByName("actModify")->isEnabled());
    QVariantList stored;
    connection().forEachRow("select c901, c903, c904, c907, z001, z002, RecordState from dt_data",
                            {}, [&](const db::Statement& row) {
                                for (int c = 0; c < 7; ++c)
                                    stored << row.value(c).toLongLong();
                            });
    EXPECT_EQ(stored, (QVariantList{130102000001LL, 130102LL, 4LL, 1LL, 25LL, 12LL, 1LL}));
}

TEST_F(EntryFromMainWindowTest, ModifyOpensTheCurrentRecordAndMovesThroughTheList) {
    for (int i = 1; i <= 3; ++i)
        connection().execute("insert into dt_data (c901, c902, c903, c904, c907, RecordState) "
                             "values (?, ?, 130102, 4, 1, 1)",
                             {130102000000.0 + i, QString("单位%1").arg(i)});
    window->refreshList();
    window->recordList().setCurrentRow(1);
    window->recordGrid()->showList();
    whileOpen([&](TdlgSurveyDataForm* dialog) {
        EXPECT_FALSE(dialog->editor().adding());
        EXPECT_EQ(dialog->editor().printCode(), 130102000002.0);
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog->box("c902"))->text(), "单位2");
        EXPECT_EQ(dialog->itemNo()->text(), "第2条/共3条");
        dialog->navAction("actNext")->trigger();
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog->box("c902"))->text(), "单位3");
    });
    window->action(ActionId::Modify)->trigger();
    // The list stays on the record the dialog showed last.
    EXPECT_EQ(window->recordList().currentRow(), 2);
    EXPECT_TRUE(ui.confirmations.isEmpty());
}

} // namespace
