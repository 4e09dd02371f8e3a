#include "RegionChoice.h"

#include "schema/Connection.h"
#include "shell/CodeList.h"

#include <algorithm>

namespace kestrune::entry {

namespace {

RegionRows ReadRegionRows(db::Connection& connection, const QString& condition,
                          const QVariantList& params) {
    RegionRows rows;
    db::Dataset found = connection.query(
        QStringLiteral("select ID, Code1, Code2, Code3, Name, CombName from CT_CityName where ") +
            condition,
        params);
    for (; !found.eof(); found.next())
        rows.push_back({int(found.field(QStringLiteral("ID")).asInteger()),
                        int(found.field(QStringLiteral("Code1")).asInteger()),
                        int(found.field(QStringLiteral("Code2")).asInteger()),
                        int(found.field(QStringLiteral("Code3")).asInteger()),
                        found.field(QStringLiteral("Name")).asText(),
                        found.field(QStringLiteral("CombName")).asText()});
    return rows;
}

template <typename Matches> int FindRow(const RegionRows& rows, Matches matches) {
    const auto found = std::find_if(rows.begin(), rows.end(), matches);
    return found == rows.end() ? -1 : int(found - rows.begin());
}

// The first row matching, or the list's first row (-1 when empty): a part
// missing from a freshly loaded list leaves it where loading put it.
template <typename Matches> int RowOrFirst(const RegionRows& rows, Matches matches) {
    const int row = FindRow(rows, matches);
    return row >= 0 || rows.empty() ? row : 0;
}

} // namespace

RegionRows ProvinceRows(db::Connection& connection) {
    return ReadRegionRows(connection, QStringLiteral("Code2=0 order by Code1, Code2, Code3"), {});
}

RegionRows CityRows(db::Connection& connection, int code1) {
    return ReadRegionRows(
        connection, QStringLiteral("Code1=? and Code2<>0 and Code3=0 order by Code2"), {code1});
}

RegionRows CountyRows(db::Connection& connection, int code1, int code2) {
    return ReadRegionRows(connection, QStringLiteral("Code1=? and Code2=? order by Code3"),
                          {code1, code2});
}

QString RegionName(db::Connection& connection, int code, shell::UserInteraction& ui) {
    return shell::RegionFullName(connection, code, ui);
}

RegionChoice::RegionChoice(db::Connection& connection)
    : connection_(connection), provinces_(ProvinceRows(connection)),
      provinceRow_(provinces_.empty() ? -1 : 0) {}

void RegionChoice::showCode() {
    const shell::RegionParts parts = shell::SplitRegionCode(code_);
    code1_ = parts.province;
    code2_ = parts.city;
    code3_ = parts.county;
    // An unknown province keeps the row the list is on; the city and county
    // lists still follow the code's parts (and come out empty).
    const int province = FindRow(provinces_, [&](const RegionRow& r) { return r.code1 == code1_; });
    if (province >= 0)
        provinceRow_ = province;
    loadCities();
    loadCounties();
}

void RegionChoice::chooseProvince(int row) {
    if (validRow(provinces_, row) < 0)
        return;
    provinceRow_ = row;
    code1_ = provinces_[row].code1;
    code2_ = 1;
    code3_ = 0;
    loadCities();
    loadCounties();
}

void RegionChoice::chooseCity(int row) {
    if (validRow(cities_, row) < 0 || provinceRow_ < 0)
        return;
    cityRow_ = row;
    code1_ = provinces_[provinceRow_].code1;
    code2_ = cities_[row].code2;
    code3_ = 0;
    loadCounties();
}

void RegionChoice::confirm() {
    takeRow(counties_, countyRow_);
    if (name_.isEmpty())
        takeRow(provinces_, provinceRow_);
}

void RegionChoice::confirmCounty() {
    takeRow(counties_, countyRow_);
}

void RegionChoice::closeLists() {
    provinces_.clear();
    cities_.clear();
    counties_.clear();
    provinceRow_ = cityRow_ = countyRow_ = -1;
}

int RegionChoice::validRow(const RegionRows& rows, int row) {
    return row >= 0 && row < int(rows.size()) ? row : -1;
}

void RegionChoice::loadCities() {
    cities_ = CityRows(connection_, code1_);
    cityRow_ = RowOrFirst(
        cities_, [&](const RegionRow& r) { return r.code1 == code1_ && r.code2 == code2_; });
}

void RegionChoice::loadCounties() {
    counties_ = CountyRows(connection_, code1_, code2_);
    countyRow_ = RowOrFirst(counties_, [&](const RegionRow& r) {
        return r.code1 == code1_ && r.code2 == code2_ && r.code3 == code3_;
    });
}

void RegionChoice::takeRow(const RegionRows& rows, int row) {
    if (validRow(rows, row) < 0) {
        code_ = 0;
        name_.clear();
        return;
    }
    code_ = rows[row].id;
    name_ = rows[row].combName.trimmed();
}

} // namespace kestrune::entry
