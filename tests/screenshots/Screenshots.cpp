// The pictures in docs/, drawn on the offscreen platform. They show how the
// windows look and assert nothing about behaviour, so they stay out of the
// test run: scripts/screenshots builds and runs them.
#include "RecordGenerator.h"
#include "entry/EntryDialogFixture.h"
#include "mainwindow/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::kFirstCode;

namespace {

// $KESTRUNE_SCREENSHOT_DIR, else the build's own folder.
QDir screenshotFolder() {
    QString folder = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(KESTRUNE_DEFAULT_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return QDir(folder);
}

void save(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    const QString path = screenshotFolder().filePath(name);
    EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
}

using MainWindowScreenshot = kestrune::testing::MainWindowFixture;

TEST_F(MainWindowScreenshot, FortyMadeUpRecords) {
    cli::generateRecords(connection(), 40, 7);
    window->refreshList();
    window->resize(1100, 700);
    window->show();
    save(window.get(), "main-window.png");
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
