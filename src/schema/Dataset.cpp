#include "Dataset.h"

#include "ConnectionCore.h"
#include "EngineError.h"
#include "SqlText.h"
#include "Statement.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace kestrune::db {

namespace {

const QString kHiddenKey = QStringLiteral("__rowid__");

ColumnType typeFromDeclaration(const QString& declared) {
    const QString t = declared.toUpper();
    if (t.isEmpty())
        return ColumnType::Unknown;
    if (t.contains(QLatin1String("INT")))
        return ColumnType::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) ||
        t.contains(QLatin1String("CLOB")))
        return ColumnType::Text;
    if (t.contains(QLatin1String("BLOB")))
        return ColumnType::Blob;
    return ColumnType::Float; // REAL, DOUBLE, FLOAT, NUMERIC, DECIMAL
}

ColumnType typeFromValue(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return ColumnType::Integer;
    case QMetaType::Double:
        return ColumnType::Float;
    case QMetaType::QString:
        return ColumnType::Text;
    case QMetaType::QByteArray:
        return ColumnType::Blob;
    default:
        return ColumnType::Unknown;
    }
}

bool isNumber(const QVariant& v) {
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
}

// Nulls first, numbers before texts, numbers by value, texts without regard to case.
int compareValues(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    if (isNumber(a) && isNumber(b)) {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
            return a.toLongLong() < b.toLongLong() ? -1 : (a.toLongLong() > b.toLongLong());
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y);
    }
    if (isNumber(a) != isNumber(b))
        return isNumber(a) ? -1 : 1;
    return QString::compare(valueText(a), valueText(b), Qt::CaseInsensitive);
}

bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (isNumber(a) && isNumber(b))
        return compareValues(a, b) == 0;
    return valueText(a) == valueText(b);
}

} // namespace

QString valueText(const QVariant& value) {
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

QString Field::asText() const {
    return valueText(value_);
}

qint64 Field::asInteger() const {
    if (value_.typeId() == QMetaType::Double)
        return std::llround(value_.toDouble());
    if (value_.typeId() == QMetaType::QString)
        return std::llround(value_.toString().trimmed().toDouble());
    return value_.toLongLong();
}

double Field::asFloat() const {
    return value_.toDouble();
}

struct Dataset::Data {
    std::shared_ptr<ConnectionCore> core;
    QString sql;
    QVariantList params;
    QVariantMap named;
    bool open = false;

    QStringList columns; // internal columns, the hidden key first when present
    std::vector<ColumnType> types;
    bool hiddenKey = false;
    std::vector<std::vector<QVariant>> rows; // indexed by bookmark
    std::vector<Bookmark> order;             // current order of live rows
    int pos = -1;
    bool bof = true;
    bool eof = true;
    QString sortSpec;

    QString writeTable;
    QString keyColumn;
    DatasetState state = DatasetState::Browse;
    std::vector<QVariant> buffer; // the row being edited or appended
    std::vector<bool> changed;

    int offset() const { return hiddenKey ? 1 : 0; }
};

Dataset::Dataset() : d_(std::make_unique<Data>()) {}

Dataset::Dataset(std::shared_ptr<ConnectionCore> core, QString sql, QVariantList params)
    : d_(std::make_unique<Data>()) {
    d_->core = std::move(core);
    d_->sql = std::move(sql);
    d_->params = std::move(params);
}

Dataset::~Dataset() = default;
Dataset::Dataset(Dataset&&) noexcept = default;
Dataset& Dataset::operator=(Dataset&&) noexcept = default;

bool Dataset::isOpen() const {
    return d_->open;
}

void Dataset::close() {
    d_->open = false;
    d_->rows.clear();
    d_->order.clear();
    d_->pos = -1;
    d_->bof = d_->eof = true;
    d_->state = DatasetState::Browse;
}

void Dataset::setParameter(const QString& name, const QVariant& value) {
    QString key = name;
    if (key.startsWith(QLatin1Char(':')))
        key.remove(0, 1);
    d_->named.insert(key, value);
}

void Dataset::requery() {
    if (!d_->core)
        throw EngineError(QStringLiteral("数据集没有语句"));
    Statement st(*d_->core, d_->sql, d_->params, d_->named);
    std::vector<std::vector<QVariant>> rows;
    const int n = st.columnCount();
    QStringList columns;
    std::vector<ColumnType> types;
    for (int i = 0; i < n; ++i) {
        columns << st.columnName(i);
        types.push_back(typeFromDeclaration(st.declaredType(i)));
    }
    while (st.step()) {
        std::vector<QVariant> row;
        row.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            row.push_back(st.value(i));
        rows.push_back(std::move(row));
    }
    for (int i = 0; i < n; ++i) {
        for (size_t r = 0; r < rows.size() && types[size_t(i)] == ColumnType::Unknown; ++r)
            types[size_t(i)] = typeFromValue(rows[r][size_t(i)]);
    }
    d_->columns = columns;
    d_->types = std::move(types);
    d_->hiddenKey = !columns.isEmpty() && columns.first() == kHiddenKey;
    d_->rows = std::move(rows);
    d_->order.resize(d_->rows.size());
    for (size_t i = 0; i < d_->order.size(); ++i)
        d_->order[i] = Bookmark(i);
    d_->open = true;
    d_->state = DatasetState::Browse;
    const QString spec = d_->sortSpec;
    d_->sortSpec.clear();
    if (!spec.isEmpty())
        sort(spec);
    first();
}

int Dataset::recordCount() const {
    return int(d_->order.size());
}
bool Dataset::isEmpty() const {
    return d_->order.empty();
}
bool Dataset::bof() const {
    return d_->bof;
}
bool Dataset::eof() const {
    return d_->eof;
}

void Dataset::first() {
    d_->pos = isEmpty() ? -1 : 0;
    d_->bof = true;
    d_->eof = isEmpty();
}

void Dataset::last() {
    d_->pos = recordCount() - 1;
    d_->eof = true;
    d_->bof = isEmpty();
}

void Dataset::next() {
    if (d_->pos + 1 < recordCount()) {
        ++d_->pos;
        d_->bof = false;
    } else {
        d_->eof = true;
    }
}

void Dataset::prior() {
    if (d_->pos > 0) {
        --d_->pos;
        d_->eof = false;
    } else {
        d_->bof = true;
    }
}

int Dataset::position() const {
    return d_->pos;
}

void Dataset::moveTo(int position) {
    if (isEmpty())
        return;
    d_->pos = std::clamp(position, 0, recordCount() - 1);
    d_->bof = d_->eof = false;
}

Bookmark Dataset::bookmark() const {
    return d_->pos < 0 ? kNoBookmark : d_->order[size_t(d_->pos)];
}

bool Dataset::moveToBookmark(Bookmark bookmark) {
    const auto it = std::find(d_->order.begin(), d_->order.end(), bookmark);
    if (it == d_->order.end())
        return false;
    moveTo(int(it - d_->order.begin()));
    return true;
}

bool Dataset::locate(const QString& column, const QVariant& value) {
    const int c = internalIndex(column);
    for (size_t p = 0; p < d_->order.size(); ++p) {
        if (sameValue(d_->rows[size_t(d_->order[p])][size_t(c)], value)) {
            moveTo(int(p));
            return true;
        }
    }
    return false;
}

int Dataset::columnCount() const {
    return int(d_->columns.size()) - d_->offset();
}

QString Dataset::columnName(int column) const {
    return d_->columns.at(column + d_->offset());
}

ColumnType Dataset::columnType(int column) const {
    return d_->types.at(size_t(column + d_->offset()));
}

QStringList Dataset::columnNames() const {
    return d_->columns.mid(d_->offset());
}

int Dataset::columnIndex(const QString& name) const {
    for (int i = d_->offset(); i < d_->columns.size(); ++i) {
        if (d_->columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i - d_->offset();
    }
    return -1;
}

int Dataset::internalIndex(const QString& name) const {
    const int i = columnIndex(name);
    if (i < 0)
        throw EngineError(QStringLiteral("数据集中没有字段: ") + name);
    return i + d_->offset();
}

const std::vector<QVariant>& Dataset::currentRow() const {
    if (d_->state != DatasetState::Browse)
        return d_->buffer;
    if (d_->pos < 0)
        throw EngineError(QStringLiteral("数据集没有当前记录"));
    return d_->rows[size_t(d_->order[size_t(d_->pos)])];
}

Field Dataset::field(const QString& name) const {
    return Field(value(name));
}

QVariant Dataset::value(const QString& name) const {
    return currentRow()[size_t(internalIndex(name))];
}

QVariant Dataset::value(int column) const {
    return currentRow().at(size_t(column + d_->offset()));
}

void Dataset::sort(const QString& spec) {
    const QStringList parts = spec.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const Bookmark current = bookmark();
    if (parts.isEmpty()) {
        std::sort(d_->order.begin(), d_->order.end());
        d_->sortSpec.clear();
    } else {
        if (parts.size() > 2)
            throw EngineError(QStringLiteral("排序说明不正确: ") + spec);
        const bool descending =
            parts.size() == 2 && parts[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        if (parts.size() == 2 && !descending &&
            parts[1].compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
            throw EngineError(QStringLiteral("排序说明不正确: ") + spec);
        const size_t c = size_t(internalIndex(parts[0]));
        const auto& rows = d_->rows;
        std::stable_sort(d_->order.begin(), d_->order.end(), [&](Bookmark a, Bookmark b) {
            const int r = compareValues(rows[size_t(a)][c], rows[size_t(b)][c]);
            return descending ? r > 0 : r < 0;
        });
        d_->sortSpec = spec;
    }
    if (current != kNoBookmark)
        moveToBookmark(current);
}

QString Dataset::sortSpec() const {
    return d_->sortSpec;
}

void Dataset::setWriteTarget(const QString& table, const QString& keyColumn) {
    d_->writeTable = table;
    d_->keyColumn = keyColumn;
}

DatasetState Dataset::state() const {
    return d_->state;
}

void Dataset::edit() {
    if (d_->writeTable.isEmpty())
        throw EngineError(QStringLiteral("数据集是只读的"));
    d_->buffer = currentRow();
    d_->changed.assign(d_->buffer.size(), false);
    d_->state = DatasetState::Edit;
}

void Dataset::append() {
    if (d_->writeTable.isEmpty())
        throw EngineError(QStringLiteral("数据集是只读的"));
    d_->buffer.assign(size_t(d_->columns.size()), QVariant());
    d_->changed.assign(d_->buffer.size(), false);
    d_->state = DatasetState::Insert;
}

void Dataset::setValue(const QString& name, const QVariant& value) {
    if (d_->state == DatasetState::Browse)
        throw EngineError(QStringLiteral("数据集不在编辑状态"));
    const size_t c = size_t(internalIndex(name));
    d_->buffer[c] = value;
    d_->changed[c] = true;
}

void Dataset::post() {
    if (d_->state == DatasetState::Browse)
        return;
    QStringList names;
    QVariantList values;
    for (size_t c = 0; c < d_->buffer.size(); ++c) {
        if (d_->changed[c]) {
            names << d_->columns[int(c)];
            values << d_->buffer[c];
        }
    }
    const QString table = quoteName(d_->writeTable);
    if (d_->state == DatasetState::Insert) {
        QStringList quoted, marks;
        for (const QString& n : names) {
            quoted << quoteName(n);
            marks << QStringLiteral("?");
        }
        const QString sql =
            names.isEmpty()
                ? QStringLiteral("insert into %1 default values").arg(table)
                : QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(table, quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        Statement st(*d_->core, sql, values);
        st.step();
        if (d_->hiddenKey)
            d_->buffer[0] = qlonglong(sqlite3_last_insert_rowid(d_->core->handle));
        d_->rows.push_back(d_->buffer);
        d_->order.push_back(Bookmark(d_->rows.size() - 1));
        d_->state = DatasetState::Browse;
        moveTo(recordCount() - 1);
        return;
    }
    if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << quoteName(n) + QStringLiteral("=?");
        const bool byRowId =
            d_->keyColumn.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0;
        const int keyIndex = byRowId ? 0 : internalIndex(d_->keyColumn);
        values << d_->rows[size_t(bookmark())][size_t(keyIndex)];
        Statement st(*d_->core,
                     QStringLiteral("update %1 set %2 where %3=?")
                         .arg(table, sets.join(QLatin1Char(',')),
                              byRowId ? QStringLiteral("rowid") : quoteName(d_->keyColumn)),
                     values);
        st.step();
        d_->rows[size_t(bookmark())] = d_->buffer;
    }
    d_->state = DatasetState::Browse;
}

void Dataset::cancel() {
    d_->state = DatasetState::Browse;
    d_->buffer.clear();
}

void Dataset::deleteRow() {
    if (d_->writeTable.isEmpty())
        throw EngineError(QStringLiteral("数据集是只读的"));
    cancel();
    const Bookmark b = bookmark();
    if (b == kNoBookmark)
        throw EngineError(QStringLiteral("数据集没有当前记录"));
    const bool byRowId = d_->keyColumn.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0;
    const int keyIndex = byRowId ? 0 : internalIndex(d_->keyColumn);
    Statement st(*d_->core,
                 QStringLiteral("delete from %1 where %2=?")
                     .arg(quoteName(d_->writeTable),
                          byRowId ? QStringLiteral("rowid") : quoteName(d_->keyColumn)),
                 {d_->rows[size_t(b)][size_t(keyIndex)]});
    st.step();
    // The row's bookmark stays unused, so the other rows keep theirs.
    d_->order.erase(d_->order.begin() + d_->pos);
    if (isEmpty())
        first();
    else
        moveTo(std::min(d_->pos, recordCount() - 1));
}

} // namespace kestrune::db
