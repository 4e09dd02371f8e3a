#include "DataSearchCodeForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrune::query {

namespace {

QTableWidget* OneColumnGrid(const QString& title, QWidget* parent) {
    auto* grid = new QTableWidget(0, 1, parent);
    grid->setHorizontalHeaderLabels({title});
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

void Fill(QTableWidget* grid, const QStringList& texts) {
    grid->setRowCount(int(texts.size()));
    for (int row = 0; row < int(texts.size()); ++row)
        grid->setItem(row, 0, new QTableWidgetItem(texts[row]));
}

} // namespace

TDataSearchCodeForm::TDataSearchCodeForm(db::Connection& connection, QWidget* parent)
    : QDialog(parent), connection_(connection), sheetList_(ReadSurveySheets(connection)),
      sheets_(OneColumnGrid(QStringLiteral("表"), this)),
      indicators_(OneColumnGrid(QStringLiteral("指标"), this)) {
    setObjectName(QStringLiteral("DataSearchCodeForm"));
    setWindowTitle(QStringLiteral("选择指标"));
    resize(560, 420);
    QStringList names;
    for (const SurveySheet& sheet : sheetList_)
        names << sheet.CodeName;
    Fill(sheets_, names);
    indicators_->setMaximumWidth(160);

    auto* ok = new QPushButton(QStringLiteral("确认"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TDataSearchCodeForm::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A click or an arrow key in the sheet grid moves its current row.
    connect(sheets_, &QTableWidget::currentCellChanged, this,
            [this](int row) { selectSheetRow(row); });
    connect(indicators_, &QTableWidget::cellDoubleClicked, this, [this] { okClick(); });

    auto* grids = new QHBoxLayout;
    grids->addWidget(sheets_, 1);
    grids->addWidget(indicators_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);
    loadIndicators();
}

void TDataSearchCodeForm::showEvent(QShowEvent* event) {
    // Every showing starts on the cover.
    selectedSheet_ = 0;
    sheets_->setCurrentCell(sheetList_.empty() ? -1 : 0, 0);
    loadIndicators();
    QDialog::showEvent(event);
}

void TDataSearchCodeForm::selectSheetRow(int row) {
    if (row < 0 || row >= int(sheetList_.size()))
        return;
    selectedSheet_ = sheetList_[size_t(row)].CodeID;
    loadIndicators();
}

void TDataSearchCodeForm::loadIndicators() {
    Fill(indicators_, ReadSheetIndicators(connection_, selectedSheet_));
    if (indicators_->rowCount() > 0)
        indicators_->setCurrentCell(0, 0);
}

void TDataSearchCodeForm::okClick() {
    const int row = indicators_->currentRow();
    if (row < 0 || !indicators_->item(row, 0))
        return;
    chosen_ = indicators_->item(row, 0)->text().trimmed();
    accept();
}

} // namespace kestrune::query
