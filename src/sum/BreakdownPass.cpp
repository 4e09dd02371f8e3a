#include "BreakdownPass.h"

#include "GroupOrder.h"
#include "SumQueries.h"
#include "SummarySheets.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/EngineError.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace kestrune::sum {

using Kind = SummaryItem::Kind;

// One running aggregate, added to as SQLite's sum() adds: term by term in the
// order the rows come, NULL terms left out, NULL when no term was added.
struct RunningSum {
    double total = 0;
    bool any = false;
    void add(std::optional<double> term) {
        if (term) {
            total += *term;
            any = true;
        }
    }
    Aggregate value() const { return any ? Aggregate(total) : std::nullopt; }
};

struct ItemAccumulator {
    RunningSum sum;     // the item's sum, or the weighted mean's numerator
    RunningSum weights; // the weighted mean's denominator
};

struct RowAccumulators {
    qint64 count = 0;
    std::vector<std::vector<ItemAccumulator>> sheets;
};

struct BreakdownPass::Target {
    QString name;
    Bound low;
    Bound high;
};

namespace {

QString codeTableOf(Breakdown breakdown) {
    return breakdown == Breakdown::Level ? QStringLiteral("CT_LevelCode")
                                         : QStringLiteral("ct_state");
}

QString keyColumnOf(Breakdown breakdown) {
    return breakdown == Breakdown::Level ? QStringLiteral("c904") : QStringLiteral("c907");
}

std::optional<double> numberOf(const db::StoredValue& value) {
    switch (value.kind()) {
    case db::StoredValue::Kind::Null:
        return std::nullopt;
    case db::StoredValue::Kind::Integer:
    case db::StoredValue::Kind::Real:
        return value.toDouble();
    case db::StoredValue::Kind::Text:
    case db::StoredValue::Kind::Blob:
        break;
    }
    return value.toNumber();
}

// sum(f*(2-f)): 1 for an answer 1, 0 for 2 and for 0.
std::optional<double> yesTerm(std::optional<double> f) {
    if (!f)
        return std::nullopt;
    return *f * (2 - *f);
}

// sum(int(f/2) + (2-f)*(1-f)/2): 1 for an answer 2 and for 0, 0 for 1.
std::optional<double> noOrZeroTerm(std::optional<double> f) {
    if (!f)
        return std::nullopt;
    return std::floor(*f / 2) + (2 - *f) * (1 - *f) / 2;
}

// iif(sum(iif(f>0,w,0))>0, sum(f*w)/sum(iif(f>0,w,0)), 0)
Aggregate weightedMean(const ItemAccumulator& a) {
    const Aggregate weights = a.weights.value();
    if (!weights || !(*weights > 0))
        return 0.0;
    const Aggregate products = a.sum.value();
    return products ? Aggregate(*products / *weights) : std::nullopt;
}

void addItem(ItemAccumulator& a, const SummaryItem& item, std::optional<double> field,
             std::optional<double> weight) {
    switch (item.kind) {
    case Kind::Count:
        return;
    case Kind::Sum:
        a.sum.add(field);
        return;
    case Kind::Yes:
        a.sum.add(yesTerm(field));
        return;
    case Kind::NoOrZero:
        a.sum.add(noOrZeroTerm(field));
        return;
    case Kind::WeightedMean:
        a.sum.add(field && weight ? std::optional<double>(*field * *weight) : std::nullopt);
        a.weights.add(field && *field > 0 ? weight : std::optional<double>(0.0));
        return;
    }
}

// A unit code as SQLite compares it with a number: NULL matches nothing, a
// text stands above every number.
std::optional<double> comparableCode(const db::StoredValue& value) {
    switch (value.kind()) {
    case db::StoredValue::Kind::Null:
        return std::nullopt;
    case db::StoredValue::Kind::Integer:
    case db::StoredValue::Kind::Real:
        return value.toDouble();
    case db::StoredValue::Kind::Text:
    case db::StoredValue::Kind::Blob:
        break;
    }
    return std::numeric_limits<double>::infinity();
}

std::optional<qint64> codeKey(const db::StoredValue& value) {
    if (value.kind() == db::StoredValue::Kind::Integer)
        return value.toInt64();
    if (value.kind() == db::StoredValue::Kind::Real) {
        const double d = value.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 9e18)
            return qint64(d);
    }
    return std::nullopt;
}

} // namespace

QString BreakdownLabel(Breakdown breakdown) {
    switch (breakdown) {
    case Breakdown::Level:
        return QStringLiteral("工会层次");
    case Breakdown::State:
        return QStringLiteral("填报状态");
    case Breakdown::Group:
        break;
    }
    return QStringLiteral("分    组");
}

bool BreakdownPass::Bound::holds(double code) const {
    switch (op) {
    case Op::Less:
        return code < value;
    case Op::LessOrEqual:
        return code <= value;
    case Op::Greater:
        return code > value;
    case Op::GreaterOrEqual:
        return code >= value;
    case Op::Equal:
        return code == value;
    case Op::NotEqual:
        return code != value;
    case Op::NonZero:
        break;
    }
    return code != 0;
}

BreakdownPass::Bound BreakdownPass::parseBound(const QString& text, const QString& title) {
    static const QRegularExpression comparison(
        QStringLiteral("^\\s*(>=|<=|<>|>|<|=)\\s*([-+]?[0-9]+(?:\\.[0-9]*)?)\\s*$"));
    if (text.trimmed().isEmpty())
        return {};
    const QRegularExpressionMatch m = comparison.match(text);
    if (!m.hasMatch())
        throw db::EngineError(QStringLiteral("分组项目“%1”的编号界限“%2”无效").arg(title, text));
    static const QMap<QString, Bound::Op> ops = {{QStringLiteral("<"), Bound::Op::Less},
                                                 {QStringLiteral("<="), Bound::Op::LessOrEqual},
                                                 {QStringLiteral(">"), Bound::Op::Greater},
                                                 {QStringLiteral(">="), Bound::Op::GreaterOrEqual},
                                                 {QStringLiteral("="), Bound::Op::Equal},
                                                 {QStringLiteral("<>"), Bound::Op::NotEqual}};
    return {ops.value(m.captured(1)), m.captured(2).toDouble()};
}

BreakdownPass::BreakdownPass(db::Connection& connection, Breakdown breakdown, qint64 groupId,
                             const std::vector<int>& sheets)
    : breakdown_(breakdown), sheets_(sheets) {
    for (int sheet : sheets_)
        for (const QString& column : summarySheet(sheet).columns())
            if (!columns_.contains(column))
                columns_ << column;
    for (int sheet : sheets_) {
        std::vector<int> fields, weights;
        for (const SummaryItem& item : summarySheet(sheet).items) {
            fields.push_back(int(columns_.indexOf(item.field)));
            weights.push_back(int(columns_.indexOf(item.weight)));
        }
        itemColumns_.push_back(std::move(fields));
        weightColumns_.push_back(std::move(weights));
    }
    readTargets(connection, groupId);

    auto makeAccumulators = [this] {
        auto a = std::make_unique<RowAccumulators>();
        for (int sheet : sheets_)
            a->sheets.emplace_back(summarySheet(sheet).items.size());
        return a;
    };
    for (size_t i = 0; i < targets_.size(); ++i)
        accumulators_.push_back(makeAccumulators());
    values_.resize(size_t(columns_.size()));

    // The breakdown queries read the records with a positive unit code
    // through the unit-code index, so that is the order in which their sums
    // add up; the pass adds in the same order.
    QString select = QStringLiteral("select c901");
    if (breakdown_ != Breakdown::Group)
        select += QLatin1Char(',') + keyColumnOf(breakdown_);
    for (const QString& column : columns_)
        select += QLatin1Char(',') + column;
    const QString where = QStringLiteral(" from dt_data where c901>0 order by c901");
    total_ =
        connection.scalar(QStringLiteral("select count(*) from dt_data where c901>0")).toLongLong();
    // The overall means count every record, in the order of a plain scan:
    // their own statement, which reads four columns.
    if (breakdown_ != Breakdown::Group)
        for (int sheet : sheets_) {
            const QString query = OverallWeightedMeanQuery(sheet);
            if (!query.isEmpty())
                overallMeans_[sheet] = connection.scalar(query).toDouble();
        }
    records_ = std::make_unique<db::Statement>(connection, select + where);
}

BreakdownPass::~BreakdownPass() = default;

void BreakdownPass::readTargets(db::Connection& connection, qint64 groupId) {
    if (breakdown_ == Breakdown::Group) {
        for (const GroupItem& item : ReadGroupItems(connection, groupId))
            targets_.push_back({item.title, parseBound(item.lowValue, item.title),
                                parseBound(item.highValue, item.title)});
        return;
    }
    // Ascending sequence: the grouped query's descending rows written from
    // the bottom up.
    db::Dataset codes =
        connection.query(QStringLiteral("select id, name from ") + codeTableOf(breakdown_) +
                         QStringLiteral(" order by sequence, id desc"));
    for (; !codes.eof(); codes.next()) {
        targetsByCode_[codes.field(QStringLiteral("id")).asInteger()].push_back(targets_.size());
        targets_.push_back({codes.field(QStringLiteral("name")).asText(), {}, {}});
    }
}

bool BreakdownPass::advance(int records) {
    for (int n = 0; n < records; ++n) {
        if (!records_->step())
            return false;
        addRecord();
        ++done_;
    }
    return true;
}

void BreakdownPass::addRecord() {
    const int first = breakdown_ == Breakdown::Group ? 1 : 2;
    for (int c = 0; c < columns_.size(); ++c)
        values_[size_t(c)] = numberOf(records_->stored(first + c));

    auto feed = [this](RowAccumulators& row) {
        for (size_t s = 0; s < sheets_.size(); ++s) {
            const std::vector<SummaryItem>& items = summarySheet(sheets_[s]).items;
            for (size_t i = 0; i < items.size(); ++i) {
                const int f = itemColumns_[s][i], w = weightColumns_[s][i];
                addItem(row.sheets[s][i], items[i], f < 0 ? std::nullopt : values_[size_t(f)],
                        w < 0 ? std::nullopt : values_[size_t(w)]);
            }
        }
        ++row.count;
    };

    const std::optional<double> code = comparableCode(records_->stored(0));
    if (breakdown_ != Breakdown::Group) {
        if (!code)
            return;
        const std::optional<qint64> key = codeKey(records_->stored(1));
        if (!key)
            return;
        const auto rows = targetsByCode_.find(*key);
        if (rows == targetsByCode_.end())
            return;
        for (size_t t : rows->second)
            feed(*accumulators_[t]);
        return;
    }
    if (!code)
        return;
    for (size_t t = 0; t < targets_.size(); ++t)
        if (targets_[t].low.holds(*code) && targets_[t].high.holds(*code))
            feed(*accumulators_[t]);
}

BreakdownResult BreakdownPass::result() const {
    BreakdownResult result;
    for (size_t t = 0; t < targets_.size(); ++t) {
        const RowAccumulators& a = *accumulators_[t];
        SummaryRow row;
        row.name = targets_[t].name;
        // A level or state without records has no row in the grouped query:
        // the outer join leaves every aggregate empty.
        const bool empty = breakdown_ != Breakdown::Group && a.count == 0;
        for (size_t s = 0; s < sheets_.size(); ++s) {
            const std::vector<SummaryItem>& items = summarySheet(sheets_[s]).items;
            std::vector<Aggregate> values;
            for (size_t i = 0; i < items.size(); ++i) {
                if (empty)
                    values.push_back(std::nullopt);
                else if (items[i].kind == Kind::Count)
                    values.push_back(double(a.count));
                else if (items[i].kind == Kind::WeightedMean)
                    values.push_back(weightedMean(a.sheets[s][i]));
                else
                    values.push_back(a.sheets[s][i].sum.value());
            }
            row.sheets[sheets_[s]] = std::move(values);
        }
        result.rows.push_back(std::move(row));
    }
    result.overallMeans = overallMeans_;
    return result;
}

BreakdownResult BreakdownPass::compute(db::Connection& connection, Breakdown breakdown,
                                       qint64 groupId, const std::vector<int>& sheets) {
    BreakdownPass pass(connection, breakdown, groupId, sheets);
    while (pass.advance(4096)) {
    }
    return pass.result();
}

} // namespace kestrune::sum
