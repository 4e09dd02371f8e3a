#include "DeleteForm.h"

#include "DialogParts.h"
#include "RecordGrid.h"
#include "shell/RecordDeletion.h"
#include "shell/RecordList.h"
#include "shell/SurveyDatabase.h"
#include "shell/UserInteraction.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgDeleteForm::TdlgDeleteForm(SurveyDatabase& database, TRecordGrid& grid, RecordList& list,
                               UserInteraction& ui, QWidget* parent)
    : QDialog(parent), database_(database), grid_(grid), list_(list), ui_(ui),
      selected_(new QRadioButton(QStringLiteral("选中的数据"), this)),
      all_(new QRadioButton(QStringLiteral("所有的数据"), this)),
      range_(new QRadioButton(QStringLiteral("指定单位编号的范围"), this)),
      from_(new QLineEdit(this)), to_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dlgDeleteForm"));
    setWindowTitle(QStringLiteral("选择删除的方式"));
    selected_->setChecked(true);
    QValidator* digits = DigitsValidator(this);
    for (QLineEdit* edit : {from_, to_}) {
        edit->setValidator(digits);
        edit->setMaxLength(12);
    }
    connect(from_, &QLineEdit::textEdited, this, [this] { range_->setChecked(true); });

    auto* group = new QGroupBox(QStringLiteral("删除的内容"), this);
    auto* choices = new QGridLayout(group);
    choices->addWidget(selected_, 0, 0, 1, 4);
    choices->addWidget(all_, 1, 0, 1, 4);
    choices->addWidget(range_, 2, 0, 1, 4);
    choices->addWidget(new QLabel(QStringLiteral("从"), this), 3, 0);
    choices->addWidget(from_, 3, 1);
    choices->addWidget(new QLabel(QStringLiteral("到"), this), 3, 2);
    choices->addWidget(to_, 3, 3);

    QPushButton* run = nullptr;
    QHBoxLayout* buttons = RunAndReturnButtons(
        this, QStringLiteral("删  除"), [this] { runDeletion(); }, &run);
    run->setObjectName(QStringLiteral("deleteButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    offerSelectedRows();
}

void TdlgDeleteForm::offerSelectedRows() {
    const bool offered = grid_.hasSelectedRows();
    selected_->setEnabled(offered);
    if (!offered && selected_->isChecked()) {
        // No other choice is made for the person: none is checked.
        selected_->setAutoExclusive(false);
        selected_->setChecked(false);
        selected_->setAutoExclusive(true);
    }
}

void TdlgDeleteForm::showListAfterDeletion() {
    grid_.showListWithoutSelection();
    offerSelectedRows();
}

void TdlgDeleteForm::runDeletion() {
    db::Connection& connection = database_.connection();
    if (selected_->isChecked()) {
        if (!grid_.hasSelectedRows())
            return;
        grid_.takeCurrentRow();
        const bool deleted =
            list_.isOpen() &&
            DeleteSelectedRecords(list_, grid_.selectedRowsInOrder(), QStringLiteral("dt_data"),
                                  QStringLiteral("c901"), connection, ui_,
                                  [this](int row) { grid_.showCurrentRow(row); });
        if (deleted) {
            showListAfterDeletion();
        } else {
            list_.requeryAndReturn();
            grid_.showList();
        }
        return;
    }
    grid_.takeCurrentRow();
    if (all_->isChecked()) {
        if (DeleteAllRecords(connection, ui_)) {
            list_.requeryAndReturn();
            showListAfterDeletion();
        }
        return;
    }
    if (!range_->isChecked())
        return;
    const std::optional<CodeRange> range = ReadCodeRange(from_->text(), to_->text());
    if (!range) {
        ui_.showMessage(kDeleteRangeMissing, MessageKind::Warning);
        return;
    }
    if (range->raised)
        to_->setText(from_->text());
    const std::vector<double> inRange = CodesInRange(list_, *range);
    if (DeleteRecordRange(*range, connection, ui_)) {
        list_.requeryAfterDeleting(inRange);
        showListAfterDeletion();
    }
}

} // namespace kestrune::shell
