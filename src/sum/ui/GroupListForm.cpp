#include "GroupListForm.h"

#include "GroupItemForm.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrune::sum {

TdlgGroupListForm::TdlgGroupListForm(db::Connection& connection, shell::UserInteraction& ui,
                                     GroupTransfer transfer, QWidget* parent)
    : QDialog(parent), connection_(connection), ui_(ui), transfer_(std::move(transfer)),
      grid_(new QTableWidget(0, 1, this)), tbAdd_(new QPushButton(QStringLiteral("增  加"), this)),
      tbRemove_(new QPushButton(QStringLiteral("除  去"), this)),
      tbEdit_(new QPushButton(QStringLiteral("修  改"), this)),
      btnImport_(new QPushButton(QStringLiteral("导  入"), this)),
      btnExport_(new QPushButton(QStringLiteral("导  出"), this)) {
    setObjectName(QStringLiteral("dlgGroupListForm"));
    setWindowTitle(QStringLiteral("自定义分组列表"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("名称")});
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* returnButton = new QPushButton(QStringLiteral("返  回"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {tbAdd_, tbRemove_, tbEdit_, btnImport_, btnExport_, returnButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(420, 360);

    openItemEditor = [this](qint64 id, const QString& name) {
        TdlgGroupItemForm editor(connection_, ui_, id, name, this);
        connect(&editor, &TdlgGroupItemForm::groupRenamed, this, &TdlgGroupListForm::reload);
        editor.exec();
    };
    connect(tbAdd_, &QPushButton::clicked, this, &TdlgGroupListForm::tbAddClick);
    connect(tbRemove_, &QPushButton::clicked, this, &TdlgGroupListForm::tbRemoveClick);
    connect(tbEdit_, &QPushButton::clicked, this, &TdlgGroupListForm::tbEditClick);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TdlgGroupListForm::tbEditClick);
    connect(btnImport_, &QPushButton::clicked, this, &TdlgGroupListForm::btnImportClick);
    connect(btnExport_, &QPushButton::clicked, this, &TdlgGroupListForm::btnExportClick);
    connect(returnButton, &QPushButton::clicked, this, &QDialog::accept);
    reload();
}

int TdlgGroupListForm::currentGroup() const {
    const int row = grid_->currentRow();
    return row >= 0 && size_t(row) < groups_.size() ? row : (groups_.empty() ? -1 : 0);
}

void TdlgGroupListForm::reload() {
    const int keep = grid_->currentRow();
    try {
        groups_ = ReadGroups(connection_);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
        groups_.clear();
    }
    grid_->setRowCount(int(groups_.size()));
    for (size_t r = 0; r < groups_.size(); ++r)
        grid_->setItem(int(r), 0, new QTableWidgetItem(groups_[r].name));
    if (!groups_.empty())
        grid_->setCurrentCell(std::clamp(keep, 0, int(groups_.size()) - 1), 0);
    updateButtons();
}

void TdlgGroupListForm::updateButtons() {
    const bool any = !groups_.empty();
    tbRemove_->setEnabled(any);
    tbEdit_->setEnabled(any);
    btnImport_->setEnabled(bool(transfer_.importGroups));
    btnExport_->setEnabled(bool(transfer_.exportGroups));
}

void TdlgGroupListForm::tbAddClick() {
    try {
        const std::optional<qint64> id = AddGroup(connection_, ui_);
        if (!id)
            return;
        reload();
        for (size_t r = 0; r < groups_.size(); ++r)
            if (groups_[r].id == *id) {
                grid_->setCurrentCell(int(r), 0);
                openItemEditor(*id, groups_[r].name);
            }
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    reload();
}

void TdlgGroupListForm::tbRemoveClick() {
    const int row = currentGroup();
    if (row < 0)
        return;
    try {
        RemoveGroup(connection_, ui_, groups_[size_t(row)].id);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(shell::FailureReason(e));
    }
    reload();
}

void TdlgGroupListForm::tbEditClick() {
    const int row = currentGroup();
    if (row < 0)
        return;
    const GroupRow group = groups_[size_t(row)];
    openItemEditor(group.id, group.name);
    reload();
}

void TdlgGroupListForm::btnImportClick() {
    if (transfer_.importGroups && transfer_.importGroups())
        reload();
}

void TdlgGroupListForm::btnExportClick() {
    if (transfer_.exportGroups)
        transfer_.exportGroups();
}

} // namespace kestrune::sum
