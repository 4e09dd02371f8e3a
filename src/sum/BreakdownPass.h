#pragma once

#include "Breakdown.h"
#include "schema/Statement.h"

#include <QStringList>
#include <memory>

namespace kestrune::db {
class Connection;
}

namespace kestrune::sum {

struct RowAccumulators;

// Computes every chosen sheet's aggregates for one breakdown in a single
// pass over dt_data, with the values the breakdown queries (SumQueries.h)
// give: the same sums in the same order of addition, yes/no counts that
// leave out records whose field is empty, the weighted means, empty
// aggregates for a level or state without records (count 0, empty sums and
// mean 0 for a group item without records), records with c901 <= 0 left out
// of the rows but counted in the overall weighted means.
//
// The records are read in unit-code order, as the breakdown queries read
// them through the unit-code index, so that every sum adds up in the same
// order and comes out the same to the last bit.
class BreakdownPass {
public:
    BreakdownPass(db::Connection& connection, Breakdown breakdown, qint64 groupId,
                  const std::vector<int>& sheets);
    ~BreakdownPass();
    BreakdownPass(const BreakdownPass&) = delete;
    BreakdownPass& operator=(const BreakdownPass&) = delete;

    // The records the pass reads (those with a positive unit code), counted
    // before it starts.
    qint64 total() const { return total_; }
    qint64 done() const { return done_; }
    // Reads up to `records` more records; false once every record is read.
    bool advance(int records);
    // The rows and means; valid once advance() returned false.
    BreakdownResult result() const;

    // All at once.
    static BreakdownResult compute(db::Connection& connection, Breakdown breakdown, qint64 groupId,
                                   const std::vector<int>& sheets);

private:
    struct Target;
    struct Bound {
        enum class Op { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual, NonZero };
        Op op = Op::NonZero;
        double value = 0;
        bool holds(double code) const;
    };
    static Bound parseBound(const QString& text, const QString& title);
    void readTargets(db::Connection& connection, qint64 groupId);
    void addRecord();

    Breakdown breakdown_;
    std::vector<int> sheets_;
    QStringList columns_;
    std::vector<std::vector<int>> itemColumns_;   // per sheet and item: field column
    std::vector<std::vector<int>> weightColumns_; // per sheet and item: weight column
    std::vector<Target> targets_;
    std::map<qint64, std::vector<size_t>> targetsByCode_; // level/state id -> rows
    std::vector<std::unique_ptr<RowAccumulators>> accumulators_;
    std::map<int, double> overallMeans_;
    std::vector<std::optional<double>> values_; // the current record's columns
    std::unique_ptr<db::Statement> records_;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

} // namespace kestrune::sum
