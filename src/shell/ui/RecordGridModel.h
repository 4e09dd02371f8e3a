#pragma once

#include "shell/TitleSort.h"

#include <QAbstractTableModel>
#include <QColor>

namespace kestrune::shell {

class RecordList;

// Striped rows: odd record numbers (counting from 1) pale yellow, even ones
// pale blue; cells in the selection colour are left to the view.
QColor StripeColour(int row);

// The title of the column sorted before: a grey of its own that keeps the
// title's text readable (light behind dark text, dark behind light text).
QColor PreviouslySortedTitleColour(const QColor& titleText);

// A list's rows for a grid, read from the record list as they are shown.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordGridModel(RecordList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    RecordList& list() { return list_; }
    std::vector<ColumnTitle>& titles() { return titles_; }
    // The columns changed: titles back to the catalogue's captions.
    void rebuild();
    // The rows changed (new snapshot or new order).
    void reload();
    void titlesChanged();

private:
    RecordList& list_;
    std::vector<ColumnTitle> titles_;
};

} // namespace kestrune::shell
