#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>

namespace kestrune::workbook {

enum class HorizontalAlignment;

// The workbook's styles part. A cell's style is an index into its cell
// formats; changing one aspect of a cell's look makes (or finds) the format
// that differs from the cell's old one in that aspect only, so whatever else
// the template gave the cell stays.
class StyleSheet {
public:
    void load(const QByteArray& bytes, const std::string& partName);
    QByteArray bytes() const;

    int withNumberFormat(int style, const QString& format);
    int withFont(int style, bool bold, double size);
    int withAlignment(int style, HorizontalAlignment alignment);
    double fontSize(int style) const; // in points

private:
    pugi::xml_node cellFormat(int style) const;
    int derivedFormat(int style, const std::function<void(pugi::xml_node)>& change);
    int numberFormatId(const QString& format);
    // The index of an equal entry of `list`, else `entry` added to it.
    static int findOrAppend(pugi::xml_node list, pugi::xml_node entry, const char* name);

    pugi::xml_document document_;
    std::map<std::string, int> formatIds_;
};

} // namespace kestrune::workbook
