#include "entry/ui/SurveyDataForm.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/MainWindowFixture.h"
#include "schema/Connection.h"
#include "shell/ui/RecordGrid.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using namespace kestrune::mainwindow;

namespace {

QStringList itemsOf(QListWidget* list) {
    QStringList captions;
    for (int i = 0; i < list->count(); ++i)
        captions << list->item(i)->text();
    return captions;
}

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList captions;
    for (QAction* a : actions)
        captions << (a->isSeparator() ? QString("-") : a->text());
    return captions;
}

using MainWindowTest = kestrune::testing::MainWindowFixture;

TEST_F(MainWindowTest, GroupBarMenusAndPopupInTheirOrder) {
    QToolBox* bar = window->groupBar();
    ASSERT_EQ(bar->count(), 3);
    EXPECT_EQ(bar->itemText(0), "数据操作");
    EXPECT_EQ(bar->itemText(1), "备份与上报");
    EXPECT_EQ(bar->itemText(2), "系统工具");
    EXPECT_EQ(bar->currentIndex(), 0);
    EXPECT_EQ(itemsOf(qobject_cast<QListWidget*>(bar->widget(0))),
              (QStringList{"添加新记录", "修改选中的记录", "删除记录", "检查数据的逻辑", "指标查询",
                           "数据汇总", "数据分组", "导出数据列表", "打印选中记录的年报表"}));
    EXPECT_EQ(itemsOf(qobject_cast<QListWidget*>(bar->widget(1))),
              (QStringList{"数据导入", "数据备份", "上报到离线版", "上报到网络版"}));
    EXPECT_EQ(itemsOf(qobject_cast<QListWidget*>(bar->widget(2))),
              (QStringList{"压缩数据库文件", "参数设置", "自定义列表显示"}));

    QStringList menus;
    for (QAction* top : window->menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus,
              (QStringList{"数据记录", "查找", "逻辑检查", "数据处理", "工具", "关于", "退出"}));
    const auto menu = [&](int i) {
        return captionsOf(window->menuBar()->actions()[i]->menu()->actions());
    };
    EXPECT_EQ(menu(0),
              (QStringList{"添加新记录", "修改选中的记录", "删除记录", "打印选中记录的年报表"}));
    EXPECT_EQ(menu(1), (QStringList{"按条件查找定位数据", "按编号范围查找数据"}));
    EXPECT_EQ(menu(2), (QStringList{"检查选中数据的逻辑", "检查数据的逻辑"}));
    EXPECT_EQ(menu(3), (QStringList{"数据分组", "数据汇总"}));
    EXPECT_EQ(menu(4), (QStringList{"参数设置", "压缩数据库文件", "自定义列表显示"}));
    EXPECT_EQ(captionsOf(window->recordPopup()->actions()),
              (QStringList{"添加新记录", "修改选中的记录", "删除记录", "-", "按条件查找定位数据",
                           "按编号范围查找数据", "-", "检查选中数据的逻辑", "-", "自定义列表显示",
                           "打印选中记录的年报表"}));
    EXPECT_EQ(window->actionByName("actLocate")->property("category").toString(), "Search");
    EXPECT_EQ(window->actionByName("actCompress")->property("category").toString(), "SysSetup");
}

TEST_F(MainWindowTest, StatusBarCaptionAndLongLivedWindows) {
    EXPECT_EQ(window->windowTitle(), "Kestrune - 默认数据库");
    EXPECT_TRUE(
        window->versionPane()->text().startsWith("开发单位：Brenvatik\u3000软件版本：1.0 (Build "));
    EXPECT_EQ(window->clockPane()->text(), QDate::currentDate().toString("yyyy年MM月dd日"));
    EXPECT_EQ(window->longLivedWindowNames(),
              (QStringList{"TdlgSurveyDataForm", "TMessageListWinForm", "TProgressBarForm",
                           "TToolForm", "TProgressBar2LineForm"}));
}

TEST_F(MainWindowTest, AnEmptyListDisablesActionsAndTheirShortcuts) {
    for (const char* name : {"actModify", "actDelete", "actPrint", "actLocate", "actSearch"})
        EXPECT_FALSE(window->actionByName(name)->isEnabled()) << name;
    EXPECT_TRUE(window->actionByName("actAddNew")->isEnabled());
    EXPECT_TRUE(window->actionByName("actRecordGrid")->isEnabled());
    addRecords(3);
    for (const char* name : {"actModify", "actDelete", "actPrint", "actLocate", "actSearch"})
        EXPECT_TRUE(window->actionByName(name)->isEnabled()) << name;
    EXPECT_EQ(window->recordGrid()->model()->rowCount(), 3);
}

TEST_F(MainWindowTest, AWheelTurnOverTheListMovesOneRow) {
    addRecords(5);
    window->show();
    QTableView* grid = window->recordGrid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(2, 0));
    QWheelEvent down(QPointF(5, 5), grid->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &down);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    QWheelEvent up(QPointF(5, 5), grid->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &up);
    QApplication::sendEvent(grid->viewport(), &up);
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

// Notes every showing of the entry dialog and returns from it at once.
class EntryDialogWatch : public QObject {
public:
    explicit EntryDialogWatch(QWidget* dialog) { dialog->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++shown;
            auto* dialog = static_cast<kestrune::entry::TdlgSurveyDataForm*>(watched);
            QTimer::singleShot(0, dialog, [dialog] { dialog->tbReturnClick(); });
        }
        return false;
    }
};

TEST_F(MainWindowTest, OnlyAReleaseWhosePressTheListReceivedOpensARecord) {
    addRecords(2);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTableView* grid = window->recordGrid();
    grid->setFocus();
    EntryDialogWatch watch(window->entryForm());
    // Enter pressed on a message box's OK closes the box; its release reaches the list.
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(grid, &release);
    EXPECT_EQ(watch.shown, 0);
    // Pressed and released on the list, Enter opens the current record.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(watch.shown, 1);
    // A held key's repeats do not open it again.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(grid, &press);
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(grid, &repeated);
    EXPECT_EQ(watch.shown, 1);
}

TEST_F(MainWindowTest, TheMainWindowFitsA1366By768ScreenLessATaskBar) {
    addRecords(3);
    // What a window manager's frame takes around the window.
    const QSize frame(8, 34);
    const QSize room = QSize(1366, 728) - frame;
    const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(minimum.width(), room.width());
    EXPECT_LE(minimum.height(), room.height());
    window->resize(room);
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->size(), room);
    // The status bar, the group bar and the list lie inside the window.
    const QRect inside = window->rect();
    for (QWidget* part :
         {static_cast<QWidget*>(window->statusBar()), static_cast<QWidget*>(window->groupBar()),
          static_cast<QWidget*>(window->recordGrid())}) {
        const QRect at(part->mapTo(window.get(), QPoint(0, 0)), part->size());
        EXPECT_TRUE(inside.contains(at)) << part->objectName().toStdString();
    }
}

} // namespace
