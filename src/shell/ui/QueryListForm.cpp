#include "QueryListForm.h"

#include "RecordGrid.h"
#include "RecordGridModel.h"
#include "schema/EngineError.h"
#include "shell/AccessExport.h"
#include "shell/ExcelExport.h"
#include "shell/FailureReason.h"
#include "shell/RecordDeletion.h"
#include "shell/SurveyDatabase.h"
#include "shell/UserInteraction.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrune::shell {

TdlgQueryListForm::TdlgQueryListForm(SurveyDatabase& database, UserInteraction& ui, QWidget* parent)
    : QDialog(parent), database_(database), ui_(ui), results_(database.connection()),
      grid_(new TRecordGrid(results_, this)), count_(new QLabel(this)),
      edit_(new QPushButton(QStringLiteral("修改数据信息"), this)), export_(new QToolButton(this)) {
    setObjectName(QStringLiteral("dlgQueryListForm"));
    setWindowTitle(QStringLiteral("查询结果列表"));
    resize(900, 560);
    edit_->setObjectName(QStringLiteral("tbEdit"));
    auto* remove = new QPushButton(QStringLiteral("删除数据信息"), this);
    remove->setObjectName(QStringLiteral("tbDelete"));
    export_->setText(QStringLiteral("导出查询结果"));
    export_->setPopupMode(QToolButton::InstantPopup);
    export_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* exportMenu = new QMenu(export_);
    accessExport_ = exportMenu->addAction(QStringLiteral("导出详细数据为Access文件"));
    excelExport_ = exportMenu->addAction(QStringLiteral("导出结果列表为Excel文件"));
    export_->setMenu(exportMenu);
    auto* back = new QPushButton(QStringLiteral("返  回"), this);
    connect(edit_, &QPushButton::clicked, this, &TdlgQueryListForm::tbEditClick);
    connect(remove, &QPushButton::clicked, this, &TdlgQueryListForm::deleteSelected);
    connect(accessExport_, &QAction::triggered, this, &TdlgQueryListForm::exportDetailAsAccess);
    connect(excelExport_, &QAction::triggered, this, &TdlgQueryListForm::exportListAsExcel);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { tbEditClick(); });
    grid_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addWidget(remove);
    buttons->addWidget(export_);
    buttons->addStretch();
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 1);
    layout->addWidget(count_);
}

QString TdlgQueryListForm::listStatement() const {
    return listQuery().sql;
}

QString TdlgQueryListForm::detailStatement() const {
    return detailQuery().sql;
}

ExportQuery TdlgQueryListForm::listQuery() const {
    return ResultListQuery(database_.connection(), condition_);
}

ExportQuery TdlgQueryListForm::detailQuery() const {
    return ResultDetailQuery(database_.connection(), condition_);
}

void TdlgQueryListForm::setCondition(const QString& condition, const QVariantList& values) {
    condition_ = {condition, values};
    results_.setCondition(condition, values);
    grid_->BuildRecordColumns(ReadFieldCatalogue(database_.connection()));
    results_.open();
    // The rows come in unit-code order: the first title says so.
    std::vector<ColumnTitle>& titles = grid_->gridModel()->titles();
    if (!titles.empty()) {
        titles[0].text += QChar(0x25B2);
        titles[0].colour = ColumnTitle::Colour::Lime;
    }
    grid_->gridModel()->titlesChanged();
    grid_->showList();
    showCount();
}

void TdlgQueryListForm::showCount() {
    count_->setText(QStringLiteral("符合条件的数据总数：%1").arg(results_.rowCount()));
}

void TdlgQueryListForm::tbEditClick() {
    if (results_.isEmpty() || !editing_)
        return;
    grid_->takeCurrentRow();
    editing_(results_);
    // The dialog saved through the results and left them on its last record.
    grid_->showList();
    showCount();
}

void TdlgQueryListForm::deleteSelected() {
    // Only rows the person selected; after a deletion none is.
    if (!grid_->hasSelectedRows())
        return;
    grid_->takeCurrentRow();
    if (DeleteSelectedRecords(results_, grid_->selectedRowsInOrder(), QStringLiteral("dt_data"),
                              QStringLiteral("c901"), database_.connection(), ui_,
                              [this](int row) { grid_->showCurrentRow(row); })) {
        grid_->showListWithoutSelection();
        showCount();
    }
}

void TdlgQueryListForm::exportDetailAsAccess() {
    try {
        SaveQueryAsAccess(detailQuery(), std::nullopt, kQueryResultName, ui_);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
}

void TdlgQueryListForm::exportListAsExcel() {
    QStringList titles;
    for (const ColumnTitle& title : grid_->gridModel()->titles())
        titles << title.text;
    try {
        const ExportQuery query = listQuery();
        SaveQueryAsExcel(query, kQueryResultName,
                         ResultListDescriptors(query, results_.columns(), titles), ui_);
    } catch (const db::EngineError& e) {
        ui_.showRuntimeError(FailureReason(e));
    }
}

bool TdlgQueryListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        if (event->type() == QEvent::FocusOut)
            keys_.forget();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            keys_.pressed(key->key(), key->isAutoRepeat());
            // Enter acts on its release; pressed, it must not close the dialog.
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
        }
        if (event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (keys_.released(key->key(), key->isAutoRepeat())) {
                if (key->key() == Qt::Key_Delete) {
                    deleteSelected();
                    return true;
                }
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    tbEditClick();
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrune::shell
