#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::query {

// One survey sheet the indicator chooser offers.
struct SurveySheet {
    int CodeID = 0;
    QString CodeName;
};

// The sheets of ct_sheetName with CodeID 0 or above, in number order.
std::vector<SurveySheet> ReadSurveySheets(db::Connection& connection);

// The indicators of one sheet as view_datasearch lists them, in their
// sequence order, each trimmed: the dt_data column a condition names.
QStringList ReadSheetIndicators(db::Connection& connection, int sheet);

} // namespace kestrune::query
