#include "RecordGrid.h"

#include "RecordGridModel.h"
#include "shell/RecordList.h"

#include <QHeaderView>

namespace kestrune::shell {

TRecordGrid::TRecordGrid(RecordList& list, QWidget* parent)
    : QTableView(parent), list_(list), model_(new RecordGridModel(list, this)) {
    setObjectName(QStringLiteral("RecordGrid"));
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TRecordGrid::sortByTitle);
}

void TRecordGrid::BuildRecordColumns(const TFieldDataArray& catalogue) {
    sort_ = SortState{};
    const TFieldDataArray shown = VisibleColumns(catalogue);
    list_.setColumns(shown);
    model_->rebuild();
    for (int c = 0; c < int(shown.size()); ++c)
        setColumnWidth(c, shown[size_t(c)].FieldWidth > 0 ? shown[size_t(c)].FieldWidth : 90);
}

void TRecordGrid::sortByTitle(int column) {
    if (!list_.isOpen())
        return;
    takeCurrentRow();
    const bool descending = SortByTitle(column, sort_, model_->titles());
    list_.sort(column, descending);
    model_->titlesChanged();
    showList();
}

void TRecordGrid::showList() {
    model_->reload();
    if (list_.currentRow() >= 0) {
        const QModelIndex index = model_->index(list_.currentRow(), 0);
        setCurrentIndex(index);
        scrollTo(index);
    }
    Q_EMIT listChanged();
}

void TRecordGrid::showListWithoutSelection() {
    model_->reload();
    if (list_.currentRow() >= 0) {
        const QModelIndex index = model_->index(list_.currentRow(), 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
    }
    clearSelection();
    Q_EMIT listChanged();
}

void TRecordGrid::showCurrentRow(int row) {
    const QModelIndex index = model_->index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

bool TRecordGrid::hasSelectedRows() const {
    return selectionModel()->hasSelection();
}

void TRecordGrid::takeCurrentRow() {
    if (currentIndex().isValid())
        list_.setCurrentRow(currentIndex().row());
}

std::vector<int> TRecordGrid::selectedRowsInOrder() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    return rows;
}

} // namespace kestrune::shell
