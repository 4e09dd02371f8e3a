#include "QueryListForm.h"

#include "RecordGrid.h"
#include "RecordGridModel.h"
#include "shell/RecordDeletion.h"
#include "shell/SurveyDatabase.h"

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
    auto* exportMenu = new QMenu(export_);
    exportMenu->addAction(QStringLiteral("导出详细数据为Access文件"));
    exportMenu->addAction(QStringLiteral("导出结果列表为Excel文件"));
    export_->setMenu(exportMenu);
    auto* back = new QPushButton(QStringLiteral("返  回"), this);
    connect(remove, &QPushButton::clicked, this, &TdlgQueryListForm::deleteSelected);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
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
    return QStringLiteral("SELECT * from %1 %2 order by c901 asc")
        .arg(results_.sourceView(), condition_);
}

QString TdlgQueryListForm::detailStatement() const {
    return QStringLiteral("SELECT * from dt_data %1 order by c901 asc").arg(condition_);
}

void TdlgQueryListForm::setCondition(const QString& condition) {
    condition_ = condition;
    results_.setCondition(condition);
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

bool TdlgQueryListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrune::shell
