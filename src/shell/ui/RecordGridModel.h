#pragma once

#include <QAbstractTableModel>

namespace kestrune::shell {

class RecordList;

// The record list's rows for the grid.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordGridModel(RecordList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The list took a new snapshot.
    void reload();

private:
    RecordList& list_;
};

} // namespace kestrune::shell
