#include "RecordGenerator.h"
#include "check/RuleExplainer.h"
#include "check/ui/CheckForm.h"
#include "schema/Connection.h"
#include "shell/Startup.h"
#include "support/ScriptedInteraction.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>
#include <gtest/gtest.h>

using namespace kestrune;
using namespace kestrune::shell;
using kestrune::testing::readFile;
using kestrune::testing::ScriptedInteraction;
using kestrune::testing::TestEnvironment;

namespace {

class CheckDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.installDatabase();
        qputenv("TEMP", env.programFolder().toUtf8());
        ASSERT_TRUE(StartSession(session, ui));
        codes = cli::generateRecords(connection(), 300, 11).unitCodes;
        connection().execute("update dt_data set RecordState=0");
        explainer = std::make_unique<check::RuleExplainer>(connection(), ui);
        dialog = std::make_unique<check::TdlgCheckForm>(
            connection(), *explainer, ui, "测试单位", [this] { return selected; },
            [this] { ++refreshes; });
        // One step per slice, so that a test can act between two steps.
        dialog->runner().setSliceMilliseconds(0);
    }
    void TearDown() override { qunsetenv("TEMP"); }

    db::Connection& connection() { return session.database.connection(); }
    // "检  查", then the dialog's events until the run has ended.
    void check() {
        QSignalSpy ended(&dialog->runner(), &TimedJobRunner::ended);
        dialog->runCheck();
        if (dialog->runner().active()) {
            ASSERT_TRUE(ended.wait(60000));
        }
    }
    // Called after each slice of the run (and each tick).
    QMetaObject::Connection betweenSlices(std::function<void()> act) {
        return QObject::connect(&dialog->runner(), &TimedJobRunner::progressed, &dialog->runner(),
                                std::move(act));
    }
    int stated() {
        return connection()
            .scalar("select count(*) from dt_data where RecordState in (1,2)")
            .toInt();
    }

    TestEnvironment env;
    ScriptedInteraction ui;
    Session session;
    std::vector<qint64> codes;
    std::unique_ptr<check::RuleExplainer> explainer;
    std::unique_ptr<check::TdlgCheckForm> dialog;
    QList<double> selected;
    int refreshes = 0;
};

TEST_F(CheckDialogTest, IdleDialogAndAMissingRange) {
    EXPECT_EQ(dialog->windowTitle(), "选择检查的方式");
    EXPECT_EQ(dialog->height(), check::TdlgCheckForm::kIdleHeight);
    EXPECT_TRUE(dialog->selectedChoice()->isChecked());
    EXPECT_FALSE(dialog->pauseButton()->isEnabled());
    EXPECT_FALSE(dialog->resumeButton()->isEnabled());
    dialog->rangeChoice()->setChecked(true);
    dialog->fromEdit()->setText("100000000001");
    check();
    EXPECT_EQ(ui.messageTexts(), QStringList{"请输入逻辑检查的范围"});
    EXPECT_EQ(dialog->toEdit()->text(), "0");
    EXPECT_EQ(dialog->height(), check::TdlgCheckForm::kIdleHeight);
    EXPECT_TRUE(dialog->checkButton()->isEnabled());
    EXPECT_EQ(stated(), 0);
}

TEST_F(CheckDialogTest, ARangeBelowItsStartChecksTheLowerCodeAlone) {
    std::vector<qint64> sorted = codes;
    std::sort(sorted.begin(), sorted.end());
    dialog->rangeChoice()->setChecked(true);
    dialog->fromEdit()->setText(QString::number(sorted[5]));
    dialog->toEdit()->setText(QString::number(sorted[2]));
    check();
    EXPECT_EQ(dialog->toEdit()->text(), QString::number(sorted[5]));
    const int expected =
        connection()
            .scalar("select count(*) from dt_data where c901=? and c907<=2", {double(sorted[5])})
            .toInt();
    EXPECT_EQ(stated(), expected);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(CheckDialogTest, AllRecordsWithProgressThenIdleAgain) {
    dialog->allChoice()->setChecked(true);
    int sawRunning = 0;
    betweenSlices([&] {
        if (dialog->height() == check::TdlgCheckForm::kRunningHeight &&
            dialog->pauseButton()->isEnabled())
            ++sawRunning;
    });
    check();
    EXPECT_GT(sawRunning, 0);
    const int answering = connection().scalar("select count(*) from dt_data where c907<=2").toInt();
    EXPECT_EQ(stated(), answering);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(dialog->height(), check::TdlgCheckForm::kIdleHeight);
    EXPECT_EQ(dialog->doneLabel()->text(), QString("已完成 %1").arg(answering));
    EXPECT_EQ(dialog->leftLabel()->text(), "待完成 0");
    // Some generated records break rules: the report is opened.
    EXPECT_EQ(ui.openedFiles.size(), 1);
    EXPECT_TRUE(ui.openedFiles[0].endsWith("2020基层以上-测试单位-逻辑检查结果.txt"));
}

TEST_F(CheckDialogTest, PausingChecksNothingAndStoppingKeepsTheStatesWritten) {
    dialog->allChoice()->setChecked(true);
    int statedWhilePaused = -1;
    int statedAfterPause = -1;
    betweenSlices([&] {
        const qint64 done = dialog->runner().done();
        if (statedWhilePaused < 0 && done >= 100) {
            dialog->pauseCheck();
            EXPECT_TRUE(dialog->resumeButton()->isEnabled());
            EXPECT_FALSE(dialog->pauseButton()->isEnabled());
            statedWhilePaused = stated();
            // The person looks away for a while, then goes on.
            QTimer::singleShot(300, dialog.get(), [&] {
                statedAfterPause = stated();
                EXPECT_TRUE(dialog->paused());
                dialog->resumeCheck();
            });
        } else if (statedAfterPause >= 0 && done >= 200) {
            dialog->returnAndStop();
        }
    });
    check();
    EXPECT_GT(statedWhilePaused, 0);
    EXPECT_EQ(statedAfterPause, statedWhilePaused); // nothing checked while paused
    const int kept = stated();
    EXPECT_GT(kept, statedWhilePaused);
    const int answering = connection().scalar("select count(*) from dt_data where c907<=2").toInt();
    EXPECT_LT(kept, answering);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(ui.openedFiles.isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

// Esc and the close box end a check as "返  回" does: the run stops after the
// records in hand, nothing is opened, and the report says it is incomplete.
TEST_F(CheckDialogTest, EscapeAndTheCloseBoxStopTheRun) {
    const int answering = connection().scalar("select count(*) from dt_data where c907<=2").toInt();
    const QString report = env.path("2020基层以上-测试单位-逻辑检查结果.txt");
    const QByteArray incomplete = QStringEncoder("GBK").encode(
        QString(49, '=') + "\r\n逻辑检查没有完成，以上结果不完整！\r\n");
    const std::vector<std::pair<const char*, std::function<void(check::TdlgCheckForm&)>>> ways = {
        {"Esc",
         [](check::TdlgCheckForm& d) {
             QTest::keyClick(&d, Qt::Key_Escape);
         }},
        {"close box", [](check::TdlgCheckForm& d) {
             d.close();
         }}};
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        connection().execute("update dt_data set RecordState=0");
        dialog->allChoice()->setChecked(true);
        dialog->show();
        qint64 doneWhenLeft = -1;
        const QMetaObject::Connection watch = betweenSlices([&] {
            if (doneWhenLeft < 0 && dialog->runner().done() >= 100) {
                doneWhenLeft = dialog->runner().done();
                leave(*dialog);
            }
        });
        check();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(dialog->runner().state(), JobState::Stopped);
        EXPECT_EQ(dialog->runner().done(), doneWhenLeft); // no step after leaving
        EXPECT_GT(stated(), 0);
        EXPECT_LT(stated(), answering);
        EXPECT_TRUE(ui.openedFiles.isEmpty());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(readFile(report).endsWith(incomplete));
        QObject::disconnect(watch);
    }
}

// A person who sees the message box while the timer goes on.
class TickingInteraction : public ScriptedInteraction {
public:
    std::function<void()> whileShown;
    void showMessage(const QString& text, MessageKind kind) override {
        if (whileShown)
            whileShown();
        ScriptedInteraction::showMessage(text, kind);
    }
};

TEST_F(CheckDialogTest, AnEmptyDatabaseLeavesNothingToDo) {
    connection().execute("delete from dt_data");
    TickingInteraction person;
    check::TdlgCheckForm empty(
        connection(), *explainer, person, "测试单位", [] { return QList<double>(); }, [] {});
    empty.allChoice()->setChecked(true);
    QStringList shownWithMessage;
    person.whileShown = [&] {
        empty.tick();
        shownWithMessage << empty.doneLabel()->text() << empty.leftLabel()->text();
    };
    QSignalSpy ended(&empty.runner(), &TimedJobRunner::ended);
    empty.runCheck();
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(person.messageTexts(), QStringList{"恭喜你，所检查的数据没有逻辑错误"});
    EXPECT_EQ(shownWithMessage, (QStringList{"已完成 0", "待完成 0"}));
    EXPECT_EQ(empty.leftLabel()->text(), "待完成 0");
}

} // namespace
