#include "RecordGridModel.h"

#include "schema/SqlText.h"
#include "shell/RecordList.h"

namespace kestrune::shell {

RecordGridModel::RecordGridModel(RecordList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.rowCount();
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return QString::number(qint64(list_.codeAt(index.row())));
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return QStringLiteral("901. 本级工会统计编码");
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RecordGridModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace kestrune::shell
