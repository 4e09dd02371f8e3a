#pragma once

#include <QHash>
#include <QString>
#include <pugixml.hpp>
#include <vector>

namespace kestrune::workbook {

// The workbook's table of shared strings. Entries read from the file are
// kept as they are (rich text included); new texts are added once each.
class SharedStrings {
public:
    void load(const QByteArray& bytes, const std::string& partName);
    void createEmpty();
    int count() const { return static_cast<int>(texts_.size()); }
    QString text(int index) const;
    int add(const QString& text);
    QByteArray bytes();

private:
    pugi::xml_document document_;
    std::vector<QString> texts_;
    QHash<QString, int> plainIndex_;
};

// Text content of a <si> or <is> element: its <t>, or its runs' <t> joined.
QString StringItemText(pugi::xml_node item);
// Fills an empty <si> or <is> with a <t> holding `text`.
void WriteStringItem(pugi::xml_node item, const QString& text);

} // namespace kestrune::workbook
