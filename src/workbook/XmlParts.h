#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <pugixml.hpp>
#include <string>

namespace kestrune::workbook {

// Reads a part's XML; WorkbookError naming the part when it is not well formed.
void ParseXmlPart(pugi::xml_document& document, const QByteArray& bytes, const std::string& name);
// The document as the bytes of a part, with its XML declaration.
QByteArray XmlPartBytes(const pugi::xml_document& document);

// The child `name` of `parent`, created where the schema's `order` of children
// puts it when missing.
pugi::xml_node ChildInOrder(pugi::xml_node parent, const char* name,
                            std::initializer_list<const char*> order);

// A relationship's target as a part name: "worksheets/sheet1.xml" of
// "xl/workbook.xml" is "xl/worksheets/sheet1.xml"; "/xl/styles.xml" is "xl/styles.xml".
std::string ResolvePartName(const std::string& sourcePart, const std::string& target);
// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationshipsPartOf(const std::string& part);

// Sets an attribute, adding it when missing.
void SetAttribute(pugi::xml_node node, const char* name, const std::string& value);

inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
inline std::string Utf8(const QString& text) {
    return text.toStdString();
}

} // namespace kestrune::workbook
