#pragma once

#include "SeededDice.h"

#include <QString>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::cli {

// The cover of a made-up record, without its unit code.
struct SampleCover {
    int region = 0;   // c903, a prefecture or county code of CT_CityName
    int level = 0;    // c904, a code of CT_LevelCode
    int state = 0;    // c907, a code of ct_state
    QString unitName; // c902
    QString filler;   // c905
    QString phone;    // c906
};

// Makes covers from the database's regions, level codes and reporting
// states: a level's region and name fit each other (a county union stands in
// a county and is called after it), most unions are of the county and the
// levels below it, and almost all report normally.
class CoverMaker {
public:
    // Reads CT_CityName, CT_LevelCode and ct_state.
    explicit CoverMaker(db::Connection& connection);

    SampleCover make(SeededDice& dice) const;

private:
    struct Place {
        int code;
        QString name; // the full name for prefectures and counties, the own name for provinces
    };

    QString unitName(int level, const Place& place, SeededDice& dice) const;
    const Place& placeOf(int level, SeededDice& dice) const;

    std::vector<Place> provinces_; // each at the code of its first prefecture
    std::vector<Place> prefectures_;
    std::vector<Place> counties_;
    std::vector<int> levels_;
    std::vector<int> levelWeights_;
    std::vector<int> states_;
    std::vector<int> stateWeights_;
};

} // namespace kestrune::cli
