#include "RecordList.h"

#include "QueryResults.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/SqlText.h"
#include "schema/Statement.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <thread>
#include <unordered_set>

namespace kestrune::shell {

RecordList::RecordList(db::Connection& connection, QString condition)
    : connection_(connection), condition_(std::move(condition)) {}

void RecordList::setCondition(const QString& condition, const QVariantList& values) {
    condition_ = condition;
    values_ = values;
}

QString RecordList::sourceView() const {
    return ResultSourceView(condition_);
}

void RecordList::setColumns(TFieldDataArray columns) {
    columns_ = std::move(columns);
    sortColumn_ = -1;
    keyCache_ = {};
    clearCache();
}

void RecordList::open() {
    sortColumn_ = -1;
    std::vector<double> codes;
    // With a condition the matching rows are found in one pass over the
    // table and then sorted ("+c901"): walking the whole table in unit-code
    // order through the index, to avoid sorting a few, is ten times slower.
    const QString sql = condition_.trimmed().isEmpty()
                            ? QStringLiteral("select c901 from dt_data order by c901")
                            : QStringLiteral("select c901 from %1 %2 order by +c901 asc")
                                  .arg(sourceView(), condition_);
    db::Dataset rows = connection_.query(sql, values_);
    codes.reserve(size_t(rows.recordCount()));
    for (int i = 0; i < rows.recordCount(); ++i, rows.next())
        codes.push_back(rows.value(0).toDouble());
    codes_ = std::move(codes);
    current_ = codes_.empty() ? -1 : 0;
    open_ = true;
    clearCache();
}

void RecordList::close() {
    codes_.clear();
    current_ = -1;
    open_ = false;
    clearCache();
}

void RecordList::clearCache() {
    chunks_.clear();
    recentChunks_.clear();
}

void RecordList::setCurrentRow(int row) {
    if (!codes_.empty())
        current_ = std::clamp(row, 0, rowCount() - 1);
}

std::optional<double> RecordList::currentCode() const {
    if (current_ < 0)
        return std::nullopt;
    return codes_[size_t(current_)];
}

int RecordList::rowOfCode(double code) const {
    const auto it = std::find(codes_.begin(), codes_.end(), code);
    return it == codes_.end() ? -1 : int(it - codes_.begin());
}

const RecordList::Chunk& RecordList::chunk(int index) {
    const auto found = chunks_.find(index);
    if (found != chunks_.end()) {
        recentChunks_.remove(index);
        recentChunks_.push_front(index);
        return found->second;
    }
    const int first = index * kChunkRows;
    const int last = std::min(rowCount(), first + kChunkRows);
    QStringList names{QStringLiteral("c901")};
    for (const TFieldData& f : columns_)
        names << db::quoteName(f.ShowName);
    QStringList marks;
    QVariantList codes;
    for (int r = first; r < last; ++r) {
        marks << QStringLiteral("?");
        codes << codes_[size_t(r)];
    }
    db::Dataset rows = connection_.query(
        QStringLiteral("select %1 from %2 where c901 in (%3)")
            .arg(names.join(QLatin1Char(',')), sourceView(), marks.join(QLatin1Char(','))),
        codes);
    std::unordered_map<double, Row> byCode;
    for (; !rows.eof(); rows.next()) {
        Row row;
        row.reserve(columns_.size());
        for (int c = 1; c <= int(columns_.size()); ++c)
            row.push_back(rows.value(c));
        byCode.emplace(rows.value(0).toDouble(), std::move(row));
    }
    Chunk result;
    result.reserve(size_t(last - first));
    for (int r = first; r < last; ++r) {
        auto it = byCode.find(codes_[size_t(r)]);
        // A record deleted since the snapshot shows empty cells.
        result.push_back(it == byCode.end() ? Row(columns_.size()) : std::move(it->second));
    }
    if (chunks_.size() >= kCachedChunks) {
        chunks_.erase(recentChunks_.back());
        recentChunks_.pop_back();
    }
    recentChunks_.push_front(index);
    return chunks_.emplace(index, std::move(result)).first->second;
}

QVariant RecordList::value(int row, int column) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= int(columns_.size()))
        return {};
    return chunk(row / kChunkRows)[size_t(row % kChunkRows)][size_t(column)];
}

namespace {

QCollator chineseCollator() {
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(true);
    return collator;
}

// Collation keys for the texts at `which` (in pinyin order), made on two
// threads: a collator is not shared between threads.
std::vector<QCollatorSortKey> makeSortKeys(const std::vector<QString>& texts,
                                           const std::vector<size_t>& which) {
    std::vector<std::optional<QCollatorSortKey>> made(which.size());
    auto make = [&](size_t from, size_t to) {
        const QCollator collator = chineseCollator();
        for (size_t m = from; m < to; ++m)
            made[m].emplace(collator.sortKey(texts[which[m]]));
    };
    if (which.size() < 2000) {
        make(0, which.size());
    } else {
        const size_t half = which.size() / 2;
        std::thread second(make, half, which.size());
        make(0, half);
        second.join();
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(made.size());
    for (auto& key : made)
        keys.push_back(std::move(*key));
    return keys;
}

} // namespace

void RecordList::sort(int column, bool descending) {
    if (column < 0 || column >= int(columns_.size()) || codes_.empty())
        return;
    const std::optional<double> current = currentCode();
    const size_t n = codes_.size();
    std::unordered_map<double, size_t> position;
    position.reserve(n);
    for (size_t i = 0; i < n; ++i)
        position.emplace(codes_[i], i);

    // The values of the snapshot's rows; rows deleted since count as empty.
    std::vector<char> present(n, 0);
    std::vector<double> numbers(n, 0.0);
    std::vector<QString> texts(n);
    bool numeric = true;
    const TFieldData& shown = columns_[size_t(column)];
    const QString field = db::quoteName(shown.ShowName);
    // A field stored as it is shown is read from the table, without the
    // view's look-ups of names.
    const bool stored = shown.ShowName.compare(shown.FieldName, Qt::CaseInsensitive) == 0;
    connection_.forEachRow(
        QStringLiteral("select c901, %1 from %2 %3")
            .arg(field, stored ? QStringLiteral("dt_data") : sourceView(), condition_),
        values_, [&](const db::Statement& row) {
            const auto it = position.find(row.doubleValue(0));
            if (it == position.end() || row.isNull(1))
                return;
            const size_t i = it->second;
            present[i] = 1;
            if (row.isNumber(1)) {
                numbers[i] = row.doubleValue(1);
                texts[i] = db::valueText(row.value(1));
            } else {
                numeric = false;
                texts[i] = row.text(1);
            }
        });
    // Keys of texts unchanged since the last sort of this column are reused.
    std::vector<const QCollatorSortKey*> keys;
    if (!numeric) {
        if (keyCache_.field != field) {
            keyCache_.field = field;
            keyCache_.keys.clear();
        }
        keys.assign(n, nullptr);
        std::vector<size_t> missing;
        for (size_t i = 0; i < n; ++i) {
            const auto cached = keyCache_.keys.find(codes_[i]);
            if (cached != keyCache_.keys.end() && cached->second.first == texts[i])
                keys[i] = &cached->second.second;
            else
                missing.push_back(i);
        }
        std::vector<QCollatorSortKey> made = makeSortKeys(texts, missing);
        keyCache_.keys.reserve(n);
        for (size_t m = 0; m < missing.size(); ++m) {
            const size_t i = missing[m];
            auto& entry =
                keyCache_.keys
                    .insert_or_assign(codes_[i], std::make_pair(texts[i], std::move(made[m])))
                    .first->second;
            keys[i] = &entry.second;
        }
    }

    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    // Empty values come first, as the engine sorts them.
    auto less = [&](size_t a, size_t b) {
        if (!present[a] || !present[b])
            return !present[a] && present[b];
        return numeric ? numbers[a] < numbers[b] : keys[a]->compare(*keys[b]) < 0;
    };
    if (descending)
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);
    std::vector<double> sorted(n);
    for (size_t i = 0; i < n; ++i)
        sorted[i] = codes_[order[i]];
    codes_ = std::move(sorted);
    sortColumn_ = column;
    sortDescending_ = descending;
    clearCache();
    if (current)
        current_ = rowOfCode(*current);
}

void RecordList::requeryAndReturn() {
    requeryAndGoTo(currentCode());
}

void RecordList::requeryAndGoTo(std::optional<double> code) {
    requeryAndGoToFirstOf(code ? std::vector<double>{*code} : std::vector<double>{});
}

void RecordList::requeryAfterDeleting(const std::vector<double>& deletedCodes) {
    const std::unordered_set<double> deleted(deletedCodes.begin(), deletedCodes.end());
    std::optional<size_t> first;
    for (size_t i = 0; i < codes_.size() && !first; ++i)
        if (deleted.count(codes_[i]))
            first = i;
    // The row after, then the row before: another instance may have deleted
    // one of them meanwhile.
    std::vector<double> neighbours;
    if (first) {
        for (size_t i = *first + 1; i < codes_.size(); ++i)
            if (!deleted.count(codes_[i])) {
                neighbours.push_back(codes_[i]);
                break;
            }
        for (size_t i = *first; i-- > 0;)
            if (!deleted.count(codes_[i])) {
                neighbours.push_back(codes_[i]);
                break;
            }
    } else if (const std::optional<double> current = currentCode()) {
        neighbours.push_back(*current);
    }
    requeryAndGoToFirstOf(neighbours);
}

void RecordList::requeryAndGoToFirstOf(const std::vector<double>& codes) {
    const int sortColumn = sortColumn_;
    open();
    if (codes_.empty())
        return;
    if (sortColumn >= 0)
        sort(sortColumn, sortDescending_);
    for (double code : codes) {
        const int row = rowOfCode(code);
        if (row >= 0) {
            current_ = row;
            return;
        }
    }
    current_ = rowCount() - 1;
}

void RecordList::connectionClosing() {
    remembered_ = currentCode();
    close();
}

void RecordList::connectionReopened() {
    if (connection_.isOpen())
        requeryAndGoTo(remembered_);
}

} // namespace kestrune::shell
