#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::db {
class Connection;
}

namespace kestrune::shell {

// The column dialog: one tab per catalogue page (starting with "封面"), a
// check box per field, checked when its column is shown.
struct ColumnChoiceBox {
    int id = 0;
    int page = 0;
    QString caption; // FieldName + "--" + Hint
    bool checked = false;
    QRect geometry; // on its tab
};

struct ColumnChoicePages {
    QStringList tabs;
    std::vector<ColumnChoiceBox> boxes;
};

ColumnChoicePages ReadColumnChoices(db::Connection& connection);

// Two boxes a line, 438 wide and 35 high, 30 apart.
QRect ColumnChoiceGeometry(int indexOnTab);

// Of the fields the dialog offers, shows exactly the checked ones' columns,
// in one transaction; columns it does not offer (the record state) stay as
// they are, since nothing could turn them back on.
void SaveColumnChoices(db::Connection& connection, const std::vector<int>& checkedIds);

inline const QString kSaved = QStringLiteral("保存成功");

} // namespace kestrune::shell
