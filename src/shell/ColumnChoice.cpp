#include "ColumnChoice.h"

#include "schema/Connection.h"
#include "schema/Transaction.h"

#include <QStringList>
#include <map>

namespace kestrune::shell {

QRect ColumnChoiceGeometry(int indexOnTab) {
    return QRect(4 + (indexOnTab % 2) * 438, 6 + (indexOnTab / 2) * 30, 438, 35);
}

ColumnChoicePages ReadColumnChoices(db::Connection& connection) {
    ColumnChoicePages pages;
    pages.tabs << QStringLiteral("封面");
    std::map<int, int> boxesOnTab;
    db::Dataset rows = connection.query(
        QStringLiteral("select * from view_FieldList where PageID >=0 order by PageID,sequence"));
    for (; !rows.eof(); rows.next()) {
        const int page = int(rows.field(QStringLiteral("PageID")).asInteger());
        // Pages are expected to be numbered without gaps; a gap gets tabs of
        // its own so that each box stays on the tab of its page.
        while (page >= pages.tabs.size())
            pages.tabs << (page == pages.tabs.size()
                               ? rows.field(QStringLiteral("SheetName")).asText()
                               : QString::number(pages.tabs.size()));
        ColumnChoiceBox box;
        box.id = int(rows.field(QStringLiteral("id")).asInteger());
        box.page = page;
        box.caption = rows.field(QStringLiteral("FieldName")).asText() + QStringLiteral("--") +
                      rows.field(QStringLiteral("Hint")).asText();
        box.checked = rows.field(QStringLiteral("visible")).asInteger() != 0;
        box.geometry = ColumnChoiceGeometry(boxesOnTab[page]++);
        pages.boxes.push_back(box);
    }
    return pages;
}

void SaveColumnChoices(db::Connection& connection, const std::vector<int>& checkedIds) {
    db::Transaction transaction(connection);
    connection.execute(QStringLiteral("update view_fieldlist set visible=false where PageID>=0"));
    for (int id : checkedIds)
        connection.execute(QStringLiteral("update view_fieldlist set visible=true where id=?"),
                           {id});
    transaction.commit();
}

} // namespace kestrune::shell
