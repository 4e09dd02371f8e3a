#include "StyleSheet.h"

#include "Workbook.h"
#include "XmlParts.h"

#include <sstream>

namespace kestrune::workbook {

namespace {

const std::initializer_list<const char*> kStyleSheetOrder = {
    "numFmts",    "fonts", "fills",       "borders", "cellStyleXfs", "cellXfs",
    "cellStyles", "dxfs",  "tableStyles", "colors",  "extLst"};
const std::initializer_list<const char*> kFontOrder = {
    "b",         "i",  "strike", "condense", "extend", "outline", "shadow", "u",
    "vertAlign", "sz", "color",  "name",     "family", "charset", "scheme"};

// Formats every spreadsheet knows by number without listing them.
const std::map<std::string, int> kBuiltInFormats = {
    {"General", 0},  {"0", 1},         {"0.00", 2},         {"#,##0", 3},
    {"#,##0.00", 4}, {"0%", 9},        {"0.00%", 10},       {"0.00E+00", 11},
    {"# ?/?", 12},   {"# ?\?/??", 13}, {"mm-dd-yy", 14},    {"d-mmm-yy", 15},
    {"d-mmm", 16},   {"mmm-yy", 17},   {"h:mm AM/PM", 18},  {"h:mm:ss AM/PM", 19},
    {"h:mm", 20},    {"h:mm:ss", 21},  {"m/d/yy h:mm", 22}, {"@", 49}};

std::string Serialized(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

void UpdateCount(pugi::xml_node list) {
    SetAttribute(list, "count",
                 std::to_string(std::distance(list.children().begin(), list.children().end())));
}

} // namespace

void StyleSheet::load(const QByteArray& bytes, const std::string& partName) {
    ParseXmlPart(document_, bytes, partName);
    for (pugi::xml_node format : document_.child("styleSheet").child("numFmts").children("numFmt"))
        formatIds_[format.attribute("formatCode").value()] = format.attribute("numFmtId").as_int();
}

QByteArray StyleSheet::bytes() const {
    return XmlPartBytes(document_);
}

pugi::xml_node StyleSheet::cellFormat(int style) const {
    int index = 0;
    for (pugi::xml_node xf : document_.child("styleSheet").child("cellXfs").children("xf"))
        if (index++ == style)
            return xf;
    return pugi::xml_node();
}

int StyleSheet::findOrAppend(pugi::xml_node list, pugi::xml_node entry, const char* name) {
    const std::string wanted = Serialized(entry);
    int index = 0;
    for (pugi::xml_node existing : list.children(name)) {
        if (Serialized(existing) == wanted)
            return index;
        ++index;
    }
    list.append_copy(entry);
    UpdateCount(list);
    return index;
}

int StyleSheet::derivedFormat(int style, const std::function<void(pugi::xml_node)>& change) {
    pugi::xml_node root = document_.child("styleSheet");
    pugi::xml_node formats = ChildInOrder(root, "cellXfs", kStyleSheetOrder);
    pugi::xml_document scratch;
    pugi::xml_node xf;
    if (pugi::xml_node old = cellFormat(style)) {
        xf = scratch.append_copy(old);
    } else {
        xf = scratch.append_child("xf");
        for (const char* name : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
            xf.append_attribute(name).set_value("0");
    }
    change(xf);
    return findOrAppend(formats, xf, "xf");
}

int StyleSheet::numberFormatId(const QString& format) {
    const std::string code = Utf8(format);
    if (auto builtIn = kBuiltInFormats.find(code); builtIn != kBuiltInFormats.end())
        return builtIn->second;
    if (auto known = formatIds_.find(code); known != formatIds_.end())
        return known->second;
    int id = 164; // the first number of a workbook's own formats
    for (const auto& entry : formatIds_)
        id = std::max(id, entry.second + 1);
    pugi::xml_node list = ChildInOrder(document_.child("styleSheet"), "numFmts", kStyleSheetOrder);
    pugi::xml_node entry = list.append_child("numFmt");
    entry.append_attribute("numFmtId").set_value(id);
    entry.append_attribute("formatCode").set_value(code.c_str());
    UpdateCount(list);
    formatIds_[code] = id;
    return id;
}

int StyleSheet::withNumberFormat(int style, const QString& format) {
    const int id = numberFormatId(format);
    return derivedFormat(style, [id](pugi::xml_node xf) {
        SetAttribute(xf, "numFmtId", std::to_string(id));
        SetAttribute(xf, "applyNumberFormat", "1");
    });
}

int StyleSheet::withFont(int style, bool bold, double size) {
    pugi::xml_node fonts = ChildInOrder(document_.child("styleSheet"), "fonts", kStyleSheetOrder);
    const int oldFont = cellFormat(style).attribute("fontId").as_int();
    pugi::xml_document scratch;
    pugi::xml_node font;
    int index = 0;
    for (pugi::xml_node existing : fonts.children("font"))
        if (index++ == oldFont)
            font = scratch.append_copy(existing);
    if (!font)
        font = scratch.append_child("font");
    if (bold)
        ChildInOrder(font, "b", kFontOrder);
    else
        font.remove_child("b");
    pugi::xml_node sz = ChildInOrder(font, "sz", kFontOrder);
    std::ostringstream sizeText;
    sizeText << size;
    SetAttribute(sz, "val", sizeText.str());
    const int fontId = findOrAppend(fonts, font, "font");
    return derivedFormat(style, [fontId](pugi::xml_node xf) {
        SetAttribute(xf, "fontId", std::to_string(fontId));
        SetAttribute(xf, "applyFont", "1");
    });
}

int StyleSheet::withAlignment(int style, HorizontalAlignment alignment) {
    return derivedFormat(style, [alignment](pugi::xml_node xf) {
        pugi::xml_node element = xf.child("alignment");
        if (!element)
            element = xf.prepend_child("alignment"); // alignment precedes protection
        element.remove_attribute("horizontal");
        switch (alignment) {
        case HorizontalAlignment::General:
            break;
        case HorizontalAlignment::Left:
            element.prepend_attribute("horizontal").set_value("left");
            break;
        case HorizontalAlignment::Center:
            element.prepend_attribute("horizontal").set_value("center");
            break;
        case HorizontalAlignment::Right:
            element.prepend_attribute("horizontal").set_value("right");
            break;
        }
        SetAttribute(xf, "applyAlignment", "1");
    });
}

double StyleSheet::fontSize(int style) const {
    const int fontId = cellFormat(style).attribute("fontId").as_int();
    int index = 0;
    for (pugi::xml_node font : document_.child("styleSheet").child("fonts").children("font"))
        if (index++ == fontId)
            return font.child("sz").attribute("val").as_double(11);
    return 11;
}

} // namespace kestrune::workbook
