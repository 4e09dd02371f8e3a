#pragma once

#include "check/ui/MessageListWinForm.h"
#include "entry/RecordEditor.h"
#include "entry/ui/NumberEdit.h"
#include "entry/ui/SurveyDataForm.h"
#include "schema/Connection.h"
#include "schema/Statement.h"
#include "shell/RecordColumns.h"
#include "shell/RecordList.h"
#include "shell/ui/ToolForm.h"
#include "support/StartedSession.h"
#include "support/Typing.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kestrune::testing {

using namespace kestrune::entry;

constexpr double kFirstCode = 130102000001.0;

// The entry dialog on a fresh copy of the installed database, with the
// record list the main window would hand over.
class EntryDialogFixture : public StartedSessionTest {
protected:
    void SetUp() override {
        const shell::TFieldDataArray catalogue = shell::ReadFieldCatalogue(connection());
        list = std::make_unique<shell::RecordList>(connection());
        list->setColumns(shell::VisibleColumns(catalogue));
        editor_ = std::make_unique<RecordEditor>(connection(), ui, catalogue);
        form = std::make_unique<TdlgSurveyDataForm>(*editor_, connection(), ui, codeMenu);
    }
    void TearDown() override { form->hide(); }

    RecordEditor& editor() { return *editor_; }
    TNumberEdit* number(const QString& name) { return qobject_cast<TNumberEdit*>(form->box(name)); }
    QLineEdit* text(const QString& name) { return qobject_cast<QLineEdit*>(form->box(name)); }

    void storeRecord(double code, const QString& name, int state = 1) {
        connection().execute(
            "insert into dt_data (c901, c902, c903, c904, c905, c906, c907, z001, "
            "RecordState) values (?, ?, 130102, 4, '张三', '0311-86012345', 1, 10, ?)",
            {code, name, state});
    }
    // The main window hands its list over and shows the dialog.
    void open(bool adding, int row = 0) {
        list->open();
        if (!list->isEmpty())
            list->setCurrentRow(row);
        editor().setAdding(adding);
        editor().SetRecordList(list.get());
        form->show();
    }
    // Turns to the box's page and puts the cursor in it, as a click does.
    void focusBox(const QString& name) {
        QWidget* box = form->box(name);
        for (int page = 0; page < form->DataPage()->count(); ++page)
            if (form->DataPage()->widget(page)->isAncestorOf(box))
                form->DataPage()->setCurrentIndex(page);
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        box->setFocus();
    }
    void type(const QString& box, const QString& typed) {
        text(box)->selectAll();
        kestrune::testing::typeInto(text(box), typed);
    }
    void setCode(const QString& box, int code) {
        number(box)->setValue(code);
        if (box == QLatin1String("c903"))
            form->c903Exit(false);
        else if (box == QLatin1String("c904"))
            form->c904Exit(false);
        else
            form->c907Exit(false);
    }
    void fillCover(const QString& code, const QString& name) {
        number("c901")->setValue(code.toDouble());
        type("c902", name);
        setCode("c903", 130102);
        setCode("c904", 4); // a township union: few rules concern it
        setCode("c907", 1);
        type("c905", "张三");
        type("c906", "0311-86012345");
        number("z001")->setValue(10); // 表1 asks for members
    }
    // Values that break the first rule of 表1: z002 may not exceed z001.
    void breakPageRule() {
        number("z001")->setValue(1);
        number("z002")->setValue(5);
    }
    QList<QVariantList> rows() {
        QList<QVariantList> result;
        connection().forEachRow("select * from dt_data order by c901", {},
                                [&](const db::Statement& row) {
                                    QVariantList values;
                                    for (int c = 0; c < row.columnCount(); ++c)
                                        values << row.value(c);
                                    result << values;
                                });
        return result;
    }
    QList<QVariantList> codesAndStates() {
        QList<QVariantList> result;
        connection().forEachRow("select c901, c902, RecordState from dt_data order by c901", {},
                                [&](const db::Statement& row) {
                                    result << QVariantList{row.value(0).toLongLong(), row.value(1),
                                                           row.value(2).toInt()};
                                });
        return result;
    }

    shell::TToolForm codeMenu;
    std::unique_ptr<shell::RecordList> list;
    std::unique_ptr<RecordEditor> editor_;
    std::unique_ptr<TdlgSurveyDataForm> form;
};

} // namespace kestrune::testing
