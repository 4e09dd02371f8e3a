#pragma once

#include "Maintenance.h"
#include "RecordColumns.h"

#include <QCollator>
#include <QString>
#include <QVariant>
#include <list>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

// The records a list shows, as a snapshot: the unit codes of the rows that
// matched when the list was last queried, in the list's current order, and a
// current row. Cell values are read from the database in chunks as they are
// asked for, so a list of a hundred thousand records opens at once and holds
// only what has been shown. The main list and the entry dialog's navigation
// share one snapshot until the next re-query.
class RecordList : public ConnectionClient {
public:
    // `condition` ("where ...") narrows the rows, as the result lists do.
    explicit RecordList(db::Connection& connection, QString condition = {});

    // The condition's "?" marks take `values` in their order.
    void setCondition(const QString& condition, const QVariantList& values = {});
    const QString& condition() const { return condition_; }
    const QVariantList& conditionValues() const { return values_; }
    // The view the rows come from: view_data_all when the condition names a
    // field of 附表2, else view_data.
    QString sourceView() const;

    void setColumns(TFieldDataArray columns);
    const TFieldDataArray& columns() const { return columns_; }

    void open();
    void close();
    bool isOpen() const { return open_; }

    int rowCount() const { return int(codes_.size()); }
    bool isEmpty() const { return codes_.empty(); }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    double codeAt(int row) const { return codes_.at(size_t(row)); }
    std::optional<double> currentCode() const;
    int rowOfCode(double code) const; // -1 when the snapshot has no such row

    // A cell of a shown column; read with its chunk of rows when first asked for.
    QVariant value(int row, int column);

    // Sorts the snapshot's rows on the client by a shown column; the current
    // record stays current. A re-query keeps the order; new columns drop it.
    void sort(int column, bool descending);

    // A new snapshot, back on the record that was current; when it is gone,
    // on the last row.
    void requeryAndReturn();
    // A new snapshot on the record with this code, else on the last row.
    void requeryAndGoTo(std::optional<double> code);
    // A new snapshot after these records were deleted, on their neighbour:
    // the first remaining row after the first of them, else the last one
    // before it.
    void requeryAfterDeleting(const std::vector<double>& deletedCodes);

    void connectionClosing() override;
    void connectionReopened() override;

    static constexpr int kChunkRows = 128;
    static constexpr size_t kCachedChunks = 96;

private:
    // A new snapshot on the first of `codes` it still holds, else on the last row.
    void requeryAndGoToFirstOf(const std::vector<double>& codes);
    using Row = std::vector<QVariant>;
    using Chunk = std::vector<Row>;
    const Chunk& chunk(int index);
    void clearCache();

    db::Connection& connection_;
    QString condition_;
    QVariantList values_;
    TFieldDataArray columns_;
    std::vector<double> codes_;
    int current_ = -1;
    bool open_ = false;
    std::optional<double> remembered_;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    // The texts and collation keys of the last sorted text column, so that a
    // re-query of a sorted list makes keys only for texts that changed.
    struct SortKeyCache {
        QString field;
        std::unordered_map<double, std::pair<QString, QCollatorSortKey>> keys;
    };
    SortKeyCache keyCache_;
    std::unordered_map<int, Chunk> chunks_;
    std::list<int> recentChunks_; // most recent first
};

} // namespace kestrune::shell
