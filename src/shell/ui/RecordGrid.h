#pragma once

#include "shell/RecordColumns.h"
#include "shell/TitleSort.h"

#include <QTableView>

namespace kestrune::shell {

class RecordList;
class RecordGridModel;

// A read-only grid over a record list: whole rows, several at once, striped,
// sorted by a click on a column title.
class TRecordGrid : public QTableView {
    Q_OBJECT
public:
    TRecordGrid(RecordList& list, QWidget* parent = nullptr);

    RecordGridModel* gridModel() const { return model_; }
    const SortState& sortState() const { return sort_; }

    // The columns from the catalogue: the shown fields in catalogue order,
    // their widths and titles; the sort starts afresh.
    void BuildRecordColumns(const TFieldDataArray& catalogue);
    // The title-click sort on the rows of the current snapshot.
    void sortByTitle(int column);
    // After the list took a new snapshot: rows shown again, current row selected.
    void showList();
    // After a deletion: rows shown again, the current row marked but nothing
    // selected, so that nothing counts as chosen that the person did not choose.
    void showListWithoutSelection();
    // Moves the current-row mark to a row and into view, keeping the selection.
    void showCurrentRow(int row);
    bool hasSelectedRows() const;
    // The list's current row follows the grid's current index.
    void takeCurrentRow();
    // Selected rows in the order they were selected.
    std::vector<int> selectedRowsInOrder() const;

Q_SIGNALS:
    void listChanged();

private:
    RecordList& list_;
    RecordGridModel* model_;
    SortState sort_;
};

} // namespace kestrune::shell
