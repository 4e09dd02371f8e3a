#pragma once

#include <QString>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

class UserInteraction;

// One entry of a code list: a code and its name.
struct TCode {
    int ID = 0;
    QString Name;
};
// A code list in the order its entries were loaded.
using TMenuItemDataArray = std::vector<TCode>;

// The rows of a code table (CT_LevelCode, ct_state) with ID<>0, by Sequence.
TMenuItemDataArray LoadCodeList(db::Connection& connection, const QString& table);

// The name of the first entry with the code; empty text when there is none.
QString CodeToName(const TMenuItemDataArray& codes, int code);
// The code of the first entry with exactly this name; 0 when there is none.
int NameToCode(const TMenuItemDataArray& codes, const QString& name);

struct RegionParts {
    int province = 0; // code / 10000
    int city = 0;     // (code mod 10000) / 100
    int county = 0;   // code mod 100
};
RegionParts SplitRegionCode(int code);

// The combined name of a region code above 99999 ("河北省石家庄市长安区");
// empty text for smaller codes (without a query) and for unknown codes. An
// engine error is shown to the person and yields empty text.
QString RegionFullName(db::Connection& connection, int code, UserInteraction& ui);

} // namespace kestrune::shell
