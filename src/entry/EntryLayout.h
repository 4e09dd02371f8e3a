#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::entry {

// The entry dialog's pages as the program carries them (EntryPages.txt):
// each page's tab, the tables on it with their title lines, and the rows of
// boxes under each table.
struct EntrySection {
    QStringList titleLines;
    std::vector<QStringList> rows; // field names, left to right
};

struct EntryPage {
    int index = 0;
    QString tabCaption; // as written, "&&" standing for one "&"
    std::vector<EntrySection> sections;

    QStringList fields() const;
};

std::vector<EntryPage> ParseEntryPages(const QString& text);
// The pages built into the program.
const std::vector<EntryPage>& EntryPages();

// The tab as shown: "表8&&表9" reads "表8&表9".
QString ShownTabCaption(const QString& caption);

// A box's caption in lines: the words wrapped at `width` characters, the unit
// in brackets on a line of its own ("本级工会专职工会干部(人)" ->
// "本级工会专职工会干部\n(人)").
QString CaptionLines(const QString& caption, int width = 11);

// Boxes of one row whose captions share the part before "：" stand under one
// group caption; "其中" parts are not groups.
struct CaptionGroup {
    int firstColumn = 0;
    int columnCount = 0;
    QString caption;
};
struct RowCaptions {
    QStringList boxCaptions; // per box, without the group's part
    std::vector<CaptionGroup> groups;
};
RowCaptions GroupRowCaptions(const QStringList& hints);

} // namespace kestrune::entry
