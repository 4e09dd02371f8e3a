#pragma once

#include "sum/Breakdown.h"
#include "support/StartedSession.h"

#include <QVariant>
#include <vector>

namespace kestrune::testing {

// A started session on a copy of the installed database with the summary
// template in its program folder; helpers to add records and groups and to
// run the summary queries as they stand.
class SumDatabase : public ::testing::Test, public StartedSession {
protected:
    SumDatabase();

    // A record of unit code `code`, level `level`, state `state`, and the
    // given field values (name, value; a null QVariant stores NULL).
    void addRecord(double code, const QVariant& level, const QVariant& state,
                   const std::vector<std::pair<QString, QVariant>>& values = {});
    // A group with the given order and items (title, low symbol, low bound,
    // high symbol, high bound); returns its id.
    struct Item {
        QString title;
        QString lowSymbol;
        double low;
        QString highSymbol;
        double high;
    };
    qint64 addGroup(const QString& name, const QString& order, const std::vector<Item>& items);

    // Every row of a query, every column as the engine gives it.
    std::vector<std::vector<QVariant>> rows(const QString& sql);
    // The aggregates of a query row from column `first` on.
    static std::vector<sum::Aggregate> aggregates(const std::vector<QVariant>& row, size_t first);
};

} // namespace kestrune::testing
