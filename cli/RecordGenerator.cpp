#include "RecordGenerator.h"

#include "IndicatorColumns.h"
#include "SampleAnswers.h"
#include "SampleCover.h"
#include "SampleFaults.h"
#include "entry/LevelRule.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"
#include "schema/Transaction.h"
#include "shell/SurveyTerms.h"

#include <QHash>
#include <QStringList>
#include <cmath>
#include <unordered_set>

namespace kestrune::cli {

namespace {

constexpr double kSpoiltShare = 0.05;
constexpr int kCoverColumns = 9; // id, c901 .. c907, RecordState
constexpr int kHighestLevel = 255;

const QStringList kCoverColumnNames = {
    QStringLiteral("id"), shell::kUnitCodeField,       shell::kUnitNameField,
    shell::kRegionField,  shell::kLevelField,          shell::kFillerField,
    shell::kPhoneField,   shell::kReportingStateField, shell::kRecordStateField};

QString insertStatement() {
    QStringList columns = kCoverColumnNames;
    for (int i = 0; i < kIndicatorCount; ++i)
        columns << indicatorName(Indicator(i));
    QStringList slots;
    for (int i = 0; i < columns.size(); ++i)
        slots << QStringLiteral("?");
    return QStringLiteral("insert into dt_data (%1) values (%2)")
        .arg(columns.join(QStringLiteral(", ")), slots.join(QStringLiteral(", ")));
}

// For every level code, the indicators that the catalogue's Rule lets a unit
// of that level fill; a field without a catalogue row may always be filled.
std::vector<FillableIndicators> readFillable(db::Connection& connection) {
    QHash<QString, entry::LevelRule> rules;
    db::Dataset rows = connection.query(QStringLiteral("select FieldName, Rule from dt_fieldlist"));
    for (rows.first(); !rows.eof(); rows.next())
        rules.insert(rows.field(QStringLiteral("FieldName")).asText().toLower(),
                     entry::ParseLevelRule(rows.field(QStringLiteral("Rule")).asText()));
    std::vector<FillableIndicators> byLevel(kHighestLevel + 1);
    for (int i = 0; i < kIndicatorCount; ++i) {
        const entry::LevelRule rule = rules.value(indicatorName(Indicator(i)));
        for (int level = 0; level <= kHighestLevel; ++level)
            byLevel[size_t(level)][size_t(i)] = entry::LevelRuleHolds(level, rule);
    }
    return byLevel;
}

// Unit codes already taken, so that new ones never collide with them.
class UnitCodes {
public:
    explicit UnitCodes(db::Connection& connection) {
        db::Dataset rows =
            connection.query(QStringLiteral("select c901 from dt_data where c901 is not null"));
        taken_.reserve(size_t(rows.recordCount()));
        for (rows.first(); !rows.eof(); rows.next())
            taken_.insert(std::llround(rows.field(QStringLiteral("c901")).asFloat()));
    }

    // The region code followed by six digits: 12 digits, above 100000000000.
    qint64 fresh(int region, SeededDice& dice) {
        // Drawn at random, a free code turns up at the first tries until a
        // region's million codes are nearly all taken.
        for (int attempt = 0; attempt < 10'000; ++attempt) {
            const qint64 code = qint64(region) * 1'000'000 + dice.between(1, 999'999);
            if (taken_.insert(code).second)
                return code;
        }
        throw db::EngineError(QStringLiteral("行政区划 %1 下已没有空闲的工会统计编码").arg(region));
    }

private:
    std::unordered_set<qint64> taken_;
};

shell::RecordState savedState(bool spoilt, SeededDice& dice) {
    if (dice.chance(spoilt ? 0.2 : 0.05))
        return shell::RecordState::TemporarilySaved;
    return spoilt ? shell::RecordState::SavedWithLogicErrors
                  : shell::RecordState::SavedWithoutLogicErrors;
}

} // namespace

GeneratedRecords generateRecords(db::Connection& connection, int count, quint64 seed) {
    SeededDice dice(seed);
    const CoverMaker covers(connection);
    const std::vector<FillableIndicators> fillable = readFillable(connection);
    UnitCodes codes(connection);
    qint64 nextId =
        connection.scalar(QStringLiteral("select max(id) from dt_data")).toLongLong() + 1;

    GeneratedRecords added;
    added.unitCodes.reserve(size_t(std::max(count, 0)));
    db::Transaction transaction(connection);
    db::Statement insert(connection, insertStatement());
    IndicatorValues values;
    for (int n = 0; n < count; ++n) {
        const SampleCover cover = covers.make(dice);
        const qint64 code = codes.fresh(cover.region, dice);
        shell::RecordState recordState = shell::RecordState::SavedWithoutLogicErrors;
        if (shell::IsAnsweringUnit(cover.state)) {
            const FillableIndicators& fields = fillable[size_t(cover.level)];
            values = sampleAnswers(cover.level, fields, dice);
            const bool spoilt = dice.chance(kSpoiltShare) && spoilAnswers(values, fields, dice) > 0;
            recordState = savedState(spoilt, dice);
        } else {
            values.fill(0.0);
        }
        insert.bindInteger(1, nextId++);
        insert.bindReal(2, double(code));
        insert.bindText(3, cover.unitName);
        insert.bindInteger(4, cover.region);
        insert.bindInteger(5, cover.level);
        insert.bindText(6, cover.filler);
        insert.bindText(7, cover.phone);
        insert.bindInteger(8, cover.state);
        insert.bindInteger(9, int(recordState));
        for (int i = 0; i < kIndicatorCount; ++i)
            insert.bindReal(kCoverColumns + 1 + i, values[size_t(i)]);
        insert.execute();
        added.unitCodes.push_back(code);
    }
    transaction.commit();
    return added;
}

} // namespace kestrune::cli
