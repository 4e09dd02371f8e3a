#pragma once

#include <QString>
#include <vector>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::entry {

// One row of CT_CityName.
struct RegionRow {
    int id = 0;
    int code1 = 0; // province part
    int code2 = 0; // city part, 0 on province rows
    int code3 = 0; // county part, 0 on province and city rows
    QString name;  // the region's own name, as the lists show it
    QString combName;
};
using RegionRows = std::vector<RegionRow>;

// The province-level rows (Code2 0), in the order of the table's Code1 index.
RegionRows ProvinceRows(db::Connection& connection);
// The prefecture-level rows of a province, by Code2.
RegionRows CityRows(db::Connection& connection, int code1);
// The rows of a city by Code3: the prefecture-level row itself first, so that
// a whole city can be chosen as well as one of its counties.
RegionRows CountyRows(db::Connection& connection, int code1, int code2);

// The combined name of a region code ("河北省石家庄市长安区"); empty for codes
// of at most five digits (without a query) and for unknown codes. An engine
// error is shown to the person and yields empty text.
QString RegionName(db::Connection& connection, int code, shell::UserInteraction& ui);

// The region picker's state: three lists, each with a current row (-1 when
// the list is empty), the selected code parts the city and county lists were
// loaded for, and the code and combined name that go in and come out. Engine
// errors while loading reach the caller.
class RegionChoice {
public:
    static constexpr int kStartCode = 110100;

    explicit RegionChoice(db::Connection& connection);

    int code() const { return code_; }
    QString name() const { return name_; }
    void setCode(int code) { code_ = code; }

    // Moves every list to the rows of the current code: the province with its
    // Code1, then the city and county lists loaded for the code's parts. A part
    // not in its list leaves that list on its first row.
    void showCode();

    // The person picks a province: its first city (Code2 1) with the
    // prefecture-level row as the county.
    void chooseProvince(int row);
    // The person picks a city of the current province: its prefecture-level row.
    void chooseCity(int row);
    // The current row moved without a choice (the lists follow their views).
    void moveProvince(int row) { provinceRow_ = validRow(provinces_, row); }
    void moveCity(int row) { cityRow_ = validRow(cities_, row); }
    void moveCounty(int row) { countyRow_ = validRow(counties_, row); }

    // "确认选择": the current county row; when that gives no name (an empty
    // county list), the current province row.
    void confirm();
    // A double click in the county list: its current row only, so an empty
    // list chooses code 0 and empty text.
    void confirmCounty();
    // Drops the three lists, as the picker does when it closes.
    void closeLists();

    const RegionRows& provinces() const { return provinces_; }
    const RegionRows& cities() const { return cities_; }
    const RegionRows& counties() const { return counties_; }
    int provinceRow() const { return provinceRow_; }
    int cityRow() const { return cityRow_; }
    int countyRow() const { return countyRow_; }
    int selectedCode1() const { return code1_; }
    int selectedCode2() const { return code2_; }
    int selectedCode3() const { return code3_; }

private:
    // The row when it is in the list, otherwise -1.
    static int validRow(const RegionRows& rows, int row);
    void loadCities();
    void loadCounties();
    // Takes the code and trimmed combined name of a row; code 0 and empty text
    // when there is no current row.
    void takeRow(const RegionRows& rows, int row);

    db::Connection& connection_;
    int code_ = kStartCode;
    QString name_ = QStringLiteral("北京市");
    int code1_ = 0;
    int code2_ = 0;
    int code3_ = 0;
    RegionRows provinces_;
    RegionRows cities_;
    RegionRows counties_;
    int provinceRow_ = -1;
    int cityRow_ = -1;
    int countyRow_ = -1;
};

} // namespace kestrune::entry
