#pragma once

#include <QString>
#include <vector>

namespace kestrune::sum {

inline const QString kSumTableFileName = QStringLiteral("sumtable.jg");

// One line of the summation dialog's table list: the cover, a group heading
// ("//" in front, never checked) or a table.
struct SumTableItem {
    QString text;
    bool enabled = true; // the cover and the tables; headings are not
    bool checked = false;
    bool isHeading() const { return text.startsWith(QLatin1String("//")); }
};

// The table list of the summation dialog: 39 lines, the n-th selectable one
// (counted from the top) is sheet n of the summary workbook.
class SumTableList {
public:
    // The 39 lines, nothing checked.
    SumTableList();

    const std::vector<SumTableItem>& items() const { return items_; }
    void setChecked(int index, bool checked);
    void checkAll(bool checked);
    // Double-click: on a heading, checks every table below it up to the
    // next heading; on a table, nothing.
    void activate(int index);
    // The sheet numbers of the checked lines, ascending (1 is the cover).
    std::vector<int> checkedSheets() const;
    // The sheet a selectable line stands for; 0 for a heading.
    int sheetOf(int index) const;

    // The check marks of a "sumtable.jg" text: one line per item, "&", the
    // enabled flag, a space, the check state, a space, the item text; a line
    // without "&" is a text with the default state. Only the check marks of
    // lines that name the list's own item at that place are taken, so a
    // foreign or damaged file cannot change the list itself.
    void parse(const QString& text);
    QString format() const;
    // A missing or unreadable file leaves the list unchecked.
    void load(const QString& path);
    // Written whole or not at all; false when it could not be written.
    bool save(const QString& path) const;

private:
    std::vector<SumTableItem> items_;
};

// What pressing "汇  总" with these sheets checked leads to.
enum class SumChoice { Nothing, CoverOnly, Summarise };
SumChoice ChooseSummation(const std::vector<int>& checkedSheets);
inline const QString kCoverOnlyMessage = QStringLiteral("除去封面，请至少选择一个表格进行汇总");

} // namespace kestrune::sum
