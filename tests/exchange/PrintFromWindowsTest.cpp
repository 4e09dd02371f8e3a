#include "PrintDatabase.h"
#include "entry/ui/SurveyDataForm.h"
#include "exchange/AnnualReport.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/StartWindow.h"
#include "schema/Connection.h"
#include "shell/RecordList.h"
#include "shell/ui/RecordGrid.h"
#include "support/Typing.h"
#include "workbook/Workbook.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kestrune;
using namespace kestrune::mainwindow;
using kestrune::entry::TdlgSurveyDataForm;

namespace {

class PrintFromWindowsTest : public kestrune::testing::PrintDatabase {
protected:
    void start() override {
        window = StartMainWindow(session, ui);
        ASSERT_NE(window, nullptr);
    }
    void SetUp() override {
        PrintDatabase::SetUp();
        window->refreshList();
        window->show();
    }
    QString handOverName(double code) const {
        return "年报表-" + exchange::UnitCodeText(code) + "-" +
               QDate::currentDate().toString("yyyy-MM-dd") + ".xlsx";
    }
    double codeOnReport(const QString& name) {
        workbook::Workbook book = workbook::Workbook::open(QDir(documents).filePath(name));
        return std::get<double>(book.sheet(1).cell("D4"));
    }

    std::unique_ptr<TMainForm> window;
};

TEST_F(PrintFromWindowsTest, ThePrintCommandPrintsTheListsCurrentRecord) {
    window->recordList().setCurrentRow(1);
    window->recordGrid()->showList();
    const double code = *window->recordList().currentCode();
    ASSERT_TRUE(window->actionByName("actPrint")->isEnabled());
    window->actionByName("actPrint")->trigger();
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().join('\n').toStdString();
    ASSERT_EQ(handedOver(), QStringList{handOverName(code)});
    EXPECT_EQ(codeOnReport(handedOver()[0]), code);
}

TEST_F(PrintFromWindowsTest, TheEntryDialogPrintsTheRecordItShowsWhileItIsSaved) {
    window->recordList().setCurrentRow(0);
    window->recordGrid()->showList();
    const double first = *window->recordList().currentCode();
    double second = 0;
    TdlgSurveyDataForm* dialog = window->entryForm();
    QTimer::singleShot(0, dialog, [&] {
        if (!QTest::qWaitForWindowActive(dialog)) {
            ADD_FAILURE() << "the entry dialog did not become active";
        } else {
            QPushButton* print = dialog->button("tbPrint");
            EXPECT_TRUE(print->isEnabled());
            print->click();
            dialog->navAction("actNext")->trigger();
            second = *window->recordList().currentCode();
            EXPECT_TRUE(print->isEnabled());
            print->click();
            ui.confirmAnswers.push_back(false); // leaving without saving the change
            dialog->box("c902")->setFocus();
            kestrune::testing::typeInto(dialog->box("c902"), "改");
            EXPECT_FALSE(print->isEnabled());
        }
        dialog->tbReturnClick();
    });
    window->actionByName("actModify")->trigger();
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().join('\n').toStdString();
    const QStringList expected{handOverName(first), handOverName(second)};
    ASSERT_EQ(handedOver(), expected);
    EXPECT_EQ(codeOnReport(expected[0]), first);
    EXPECT_EQ(codeOnReport(expected[1]), second);
}

} // namespace
