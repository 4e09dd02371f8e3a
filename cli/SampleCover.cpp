#include "SampleCover.h"

#include "SampleContacts.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"

#include <QSet>
#include <span>

namespace kestrune::cli {

namespace {

struct WeightedCode {
    int code;
    int weight;
};

// Level codes (c904) and how often each occurs: most unions stand at the
// county and below, few at province or prefecture level.
constexpr WeightedCode kLevelWeights[] = {{1, 1}, {2, 4}, {3, 16}, {4, 24}, {5, 14}, {6, 6},
                                          {7, 8}, {8, 8}, {9, 2},  {10, 5}, {11, 12}};

// Reporting states (c907): 1 and 2 answer the survey; 3 to 5, unions that
// were dissolved or merged or do not report this year, fill in the cover only.
constexpr WeightedCode kStateWeights[] = {{1, 900}, {2, 60}, {3, 15}, {4, 15}, {5, 10}};

// Prefecture rows that stand for a group of counties rather than a city.
bool isPlaceholderPrefecture(const QString& name) {
    static const QSet<QString> names = {QStringLiteral("市辖区"), QStringLiteral("县"),
                                        QStringLiteral("省直辖县级行政区划"),
                                        QStringLiteral("自治区直辖县级行政区划")};
    return names.contains(name);
}

// The codes of a code table that the weights name, with their weights.
void readWeightedCodes(db::Connection& connection, const QString& sql,
                       std::span<const WeightedCode> weights, std::vector<int>& codes,
                       std::vector<int>& chances) {
    db::Dataset rows = connection.query(sql);
    QSet<int> present;
    for (rows.first(); !rows.eof(); rows.next())
        present.insert(int(rows.field(QStringLiteral("ID")).asInteger()));
    for (const WeightedCode& weighted : weights) {
        if (present.contains(weighted.code)) {
            codes.push_back(weighted.code);
            chances.push_back(weighted.weight);
        }
    }
    if (codes.empty())
        throw db::EngineError(QStringLiteral("代码表中没有可用的代码：") + sql);
}

// A made-up two-character place name for towns, streets and parks.
QString placeName(SeededDice& dice) {
    static const QString characters = QStringLiteral(
        "东西南北新和平安兴华长永青龙凤阳山河湖桥金银光明福康宁泰丰盛林石清云文建民胜利城昌德正");
    QString name;
    for (int i = 0; i < 2; ++i)
        name += characters.at(dice.between(0, characters.size() - 1));
    return name;
}

QString anyOf(const QStringList& words, SeededDice& dice) {
    return words.at(dice.between(0, words.size() - 1));
}

} // namespace

CoverMaker::CoverMaker(db::Connection& connection) {
    db::Dataset regions = connection.query(
        QStringLiteral("select ID, Code2, Code3, Name, CombName from CT_CityName order by ID"));
    int provinceWithoutSeat = -1;
    for (regions.first(); !regions.eof(); regions.next()) {
        const int code = int(regions.field(QStringLiteral("ID")).asInteger());
        const bool province = regions.field(QStringLiteral("Code2")).asInteger() == 0;
        const bool prefecture =
            !province && regions.field(QStringLiteral("Code3")).asInteger() == 0;
        const QString name = regions.field(QStringLiteral("Name")).asText();
        const QString fullName = regions.field(QStringLiteral("CombName")).asText();
        if (province) {
            // A provincial union is placed at the province's first prefecture,
            // the capital: the cover takes prefecture and county codes only.
            provinces_.push_back({0, name});
            provinceWithoutSeat = int(provinces_.size()) - 1;
        } else if (prefecture) {
            if (provinceWithoutSeat >= 0) {
                provinces_[size_t(provinceWithoutSeat)].code = code;
                provinceWithoutSeat = -1;
            }
            if (!isPlaceholderPrefecture(name))
                prefectures_.push_back({code, fullName});
        } else {
            counties_.push_back({code, fullName});
        }
    }
    std::erase_if(provinces_, [](const Place& p) { return p.code == 0; });
    if (provinces_.empty() || prefectures_.empty() || counties_.empty())
        throw db::EngineError(QStringLiteral("行政区划代码表 CT_CityName 不完整"));
    readWeightedCodes(connection, QStringLiteral("select ID from CT_LevelCode"), kLevelWeights,
                      levels_, levelWeights_);
    readWeightedCodes(connection, QStringLiteral("select ID from ct_state"), kStateWeights, states_,
                      stateWeights_);
}

SampleCover CoverMaker::make(SeededDice& dice) const {
    SampleCover cover;
    cover.level = levels_[size_t(dice.weighted(levelWeights_))];
    cover.state = states_[size_t(dice.weighted(stateWeights_))];
    const Place& place = placeOf(cover.level, dice);
    cover.region = place.code;
    // The name column holds at most 60 characters.
    cover.unitName = unitName(cover.level, place, dice).left(60);
    cover.filler = sampleFillerName(dice);
    cover.phone = samplePhone(cover.region, dice);
    return cover;
}

const CoverMaker::Place& CoverMaker::placeOf(int level, SeededDice& dice) const {
    switch (level) {
    case 1:
    case 9: // groups under the centre sit in a provincial capital
        return dice.pick(provinces_);
    case 2:
    case 8:
    case 10:
        return dice.pick(prefectures_);
    default:
        return dice.pick(counties_);
    }
}

QString CoverMaker::unitName(int level, const Place& place, SeededDice& dice) const {
    static const QStringList industries = {
        QStringLiteral("教育"),     QStringLiteral("机械冶金"), QStringLiteral("能源化学"),
        QStringLiteral("交通运输"), QStringLiteral("建设建材"), QStringLiteral("农林水利"),
        QStringLiteral("财贸轻纺"), QStringLiteral("金融"),     QStringLiteral("邮电"),
        QStringLiteral("医务"),     QStringLiteral("旅游")};
    static const QStringList trades = {
        QStringLiteral("建工"), QStringLiteral("电力"), QStringLiteral("能源"),
        QStringLiteral("化工"), QStringLiteral("机械"), QStringLiteral("物流"),
        QStringLiteral("建材"), QStringLiteral("纺织"), QStringLiteral("农垦")};
    switch (level) {
    case 1:
    case 2:
    case 3:
        return place.name + QStringLiteral("总工会");
    case 4:
        return place.name + placeName(dice) +
               (dice.chance(0.7) ? QStringLiteral("镇工会") : QStringLiteral("乡工会"));
    case 5:
        return place.name + placeName(dice) + QStringLiteral("街道工会");
    case 6:
        return place.name + placeName(dice) +
               anyOf({QStringLiteral("经济开发区"), QStringLiteral("工业园区"),
                      QStringLiteral("高新技术产业园区")},
                     dice) +
               QStringLiteral("工会");
    case 7:
        return place.name + placeName(dice) +
               (dice.chance(0.5) ? QStringLiteral("村") : QStringLiteral("社区")) +
               QStringLiteral("工会联合会");
    case 8:
        return place.name + anyOf(industries, dice) + QStringLiteral("产业工会");
    case 9:
        return QStringLiteral("中国") + placeName(dice) + anyOf(trades, dice) +
               QStringLiteral("集团有限公司工会");
    case 10:
        return place.name + placeName(dice) + anyOf(trades, dice) +
               QStringLiteral("集团有限公司工会");
    default:
        return place.name + placeName(dice) +
               anyOf({QStringLiteral("商务楼宇"), QStringLiteral("商圈"), QStringLiteral("片区")},
                     dice) +
               QStringLiteral("工会联合会");
    }
}

} // namespace kestrune::cli
