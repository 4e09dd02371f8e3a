#include "RecordGridModel.h"

#include "schema/Dataset.h"
#include "schema/EngineError.h"
#include "shell/RecordList.h"

#include <QApplication>
#include <QPalette>

namespace kestrune::shell {

QColor StripeColour(int row) {
    return (row + 1) % 2 == 1 ? QColor(249, 251, 231) : QColor(219, 219, 241);
}

QColor PreviouslySortedTitleColour(const QColor& titleText) {
    return titleText.lightness() < 128 ? QColor(212, 208, 200) : QColor(88, 88, 88);
}

RecordGridModel::RecordGridModel(RecordList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    rebuild();
}

int RecordGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.rowCount();
}

int RecordGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(list_.columns().size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        try {
            return db::valueText(list_.value(index.row(), index.column()));
        } catch (const db::EngineError&) {
            // Another program holds the file: the cell stays empty and is
            // read again at the next painting.
            return {};
        }
    case Qt::BackgroundRole:
        return StripeColour(index.row());
    case Qt::TextAlignmentRole:
        return int((IsCentredColumn(list_.columns()[size_t(index.column())]) ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= titles_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ColumnTitle& title = titles_[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return title.text;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (title.colour == ColumnTitle::Colour::Lime)
            return QColor(0, 255, 0);
        if (title.colour == ColumnTitle::Colour::InactiveCaption)
            return PreviouslySortedTitleColour(
                QApplication::palette().color(QPalette::Inactive, QPalette::ButtonText));
        return {};
    case Qt::ForegroundRole:
        // Lime is light whatever the style's text colour: its title is black.
        if (title.colour == ColumnTitle::Colour::Lime)
            return QColor(Qt::black);
        return {};
    default:
        return {};
    }
}

void RecordGridModel::rebuild() {
    beginResetModel();
    titles_.clear();
    for (const TFieldData& f : list_.columns())
        titles_.push_back({f.Hint, ColumnTitle::Colour::Normal});
    endResetModel();
}

void RecordGridModel::reload() {
    beginResetModel();
    endResetModel();
}

void RecordGridModel::titlesChanged() {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

} // namespace kestrune::shell
