#pragma once

#include "SurveyTerms.h"

#include <QString>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

// One field of the catalogue as the lists use it.
struct TFieldData {
    int ID = 0;
    QString FieldName;
    QString ShowName; // the list column's data field
    QString Hint;     // the column title
    int FieldWidth = 0;
    QString FieldType;
    bool Visible = false;
    bool QueryShow = false;
    shell::QueryType QueryType = shell::QueryType::WholeNumber;
    // Besides the list's descriptor, what the entry dialog binds with.
    int PageID = 0;
    QString Rule;
};
using TFieldDataArray = std::vector<TFieldData>;

// The catalogue in its sequence order.
TFieldDataArray ReadFieldCatalogue(db::Connection& connection);

// The columns a list shows: the catalogue rows whose Visible is set.
TFieldDataArray VisibleColumns(const TFieldDataArray& catalogue);

// Cells of the record-state column are centred; all others left-aligned.
bool IsCentredColumn(const TFieldData& field);

} // namespace kestrune::shell
