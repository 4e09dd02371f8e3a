#include "SaveListForm.h"

#include "DialogParts.h"
#include "shell/ExcelExport.h"
#include "shell/UserInteraction.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgSaveListForm::TdlgSaveListForm(db::Connection& connection, const QString& label,
                                   const QString& tableFile, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), connection_(connection), label_(label), ui_(ui),
      tables_(new QListWidget(this)), all_(new QRadioButton(QStringLiteral("所有的数据"), this)),
      range_(new QRadioButton(QStringLiteral("指定单位编号的范围"), this)),
      group_(new QRadioButton(this)), from_(new QLineEdit(this)), to_(new QLineEdit(this)),
      groupButton_(new QPushButton(QStringLiteral("     选择自定义分组"), this)),
      export_(new QPushButton(QStringLiteral("导  出"), this)),
      return_(new QPushButton(QStringLiteral("返  回"), this)),
      shownPart_(new QCheckBox(QStringLiteral("只导出显示的部分"), this)) {
    setObjectName(QStringLiteral("dlgSaveListForm"));
    setWindowTitle(QStringLiteral("导出数据列表"));
    all_->setChecked(true);
    shownPart_->hide();
    QValidator* digits = DigitsValidator(this);
    for (QLineEdit* edit : {from_, to_}) {
        edit->setValidator(digits);
        edit->setMaxLength(12);
    }
    connect(from_, &QLineEdit::textEdited, this, [this] { range_->setChecked(true); });
    groupButton_->setMenu(new QMenu(groupButton_));

    auto* choicesBox = new QGroupBox(QStringLiteral("导出的内容"), this);
    auto* choices = new QGridLayout(choicesBox);
    choices->addWidget(all_, 0, 0, 1, 4);
    choices->addWidget(range_, 1, 0, 1, 4);
    choices->addWidget(new QLabel(QStringLiteral("从"), this), 2, 0);
    choices->addWidget(from_, 2, 1);
    choices->addWidget(new QLabel(QStringLiteral("到"), this), 2, 2);
    choices->addWidget(to_, 2, 3);
    choices->addWidget(group_, 3, 0);
    choices->addWidget(groupButton_, 3, 1, 1, 3);

    export_->setDefault(true);
    connect(export_, &QPushButton::clicked, this, [this] { btnExportClick(); });
    connect(return_, &QPushButton::clicked, this, [this] { btnReturnClick(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(shownPart_);
    buttons->addStretch();
    buttons->addWidget(export_);
    buttons->addWidget(return_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tables_);
    layout->addWidget(choicesBox);
    layout->addLayout(buttons);
    loadTables(tableFile);
    loadGroupItems();
}

void TdlgSaveListForm::loadTables(const QString& tableFile) {
    tableEntries_ = ReadExportTables(tableFile);
    for (const ExportTable& table : tableEntries_) {
        auto* item = new QListWidgetItem(table.caption, tables_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(table.checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TdlgSaveListForm::loadGroupItems() {
    const std::vector<GroupItem> items = ReadGroupItems(connection_);
    const bool any = !items.empty();
    group_->setEnabled(any);
    groupButton_->setEnabled(any);
    if (!any)
        return;
    currentGroup_ = items.front();
    groupButton_->setText(items.front().title);
    for (const GroupItem& item : items) {
        const qint64 id = item.id;
        groupButton_->menu()->addAction(item.title, this, [this, id] { chooseGroupItem(id); });
    }
}

void TdlgSaveListForm::chooseGroupItem(qint64 id) {
    currentGroup_ = ReadGroupItem(connection_, id);
    if (currentGroup_)
        groupButton_->setText(currentGroup_->title);
}

std::vector<ExportTable> TdlgSaveListForm::checkedTables() const {
    std::vector<ExportTable> tables = tableEntries_;
    for (int i = 0; i < tables_->count() && size_t(i) < tables.size(); ++i)
        tables[size_t(i)].checked = tables_->item(i)->checkState() == Qt::Checked;
    return tables;
}

ListExportRequest TdlgSaveListForm::request() const {
    ListExportRequest request;
    if (range_->isChecked())
        request.choice = ListExportChoice::UnitRange;
    else if (group_->isChecked())
        request.choice = ListExportChoice::Group;
    request.fromText = from_->text();
    request.toText = to_->text();
    request.group = currentGroup_;
    return request;
}

void TdlgSaveListForm::setControlsEnabled(bool enabled) {
    const bool groups = currentGroup_.has_value();
    for (QWidget* control : {static_cast<QWidget*>(all_), static_cast<QWidget*>(range_),
                             static_cast<QWidget*>(export_), static_cast<QWidget*>(return_)})
        control->setEnabled(enabled);
    group_->setEnabled(enabled && groups);
    groupButton_->setEnabled(enabled && groups);
}

void TdlgSaveListForm::btnExportClick() {
    setControlsEnabled(false);
    QApplication::processEvents();
    std::optional<QString> raised;
    const auto prepared = PrepareListExport(connection_, checkedTables(), request(), ui_, &raised);
    if (raised)
        to_->setText(*raised);
    if (prepared)
        SaveQueryAsExcel(prepared->query, ListExportName(label_), prepared->descriptors, ui_);
    setControlsEnabled(true);
}

void TdlgSaveListForm::btnReturnClick() {
    StoreShownPartChoice(shownPart_->isChecked());
    reject();
}

} // namespace kestrune::shell
