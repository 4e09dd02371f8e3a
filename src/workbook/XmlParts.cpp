#include "XmlParts.h"

#include "WorkbookError.h"

#include <sstream>

namespace kestrune::workbook {

void ParseXmlPart(pugi::xml_document& document, const QByteArray& bytes, const std::string& name) {
    const pugi::xml_parse_result result = document.load_buffer(
        bytes.constData(), static_cast<size_t>(bytes.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single);
    if (!result)
        throw WorkbookError(QStringLiteral("工作簿已损坏：%1 不是有效的 XML（%2）")
                                .arg(QString::fromStdString(name), Text(result.description())));
}

QByteArray XmlPartBytes(const pugi::xml_document& document) {
    std::ostringstream out;
    pugi::xml_node declaration = document.first_child();
    if (declaration.type() == pugi::node_declaration) {
        document.save(out, "", pugi::format_raw);
    } else {
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
        document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    }
    const std::string text = out.str();
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

pugi::xml_node ChildInOrder(pugi::xml_node parent, const char* name,
                            std::initializer_list<const char*> order) {
    if (pugi::xml_node existing = parent.child(name))
        return existing;
    // Insert before the first existing child that comes after `name` in the order.
    bool after = false;
    for (const char* candidate : order) {
        if (after) {
            if (pugi::xml_node next = parent.child(candidate))
                return parent.insert_child_before(name, next);
        } else if (std::string(candidate) == name) {
            after = true;
        }
    }
    return parent.append_child(name);
}

std::string ResolvePartName(const std::string& sourcePart, const std::string& target) {
    if (!target.empty() && target.front() == '/')
        return target.substr(1);
    std::string base = sourcePart.substr(0, sourcePart.rfind('/') + 1);
    std::string rest = target;
    while (rest.rfind("../", 0) == 0) {
        rest = rest.substr(3);
        if (!base.empty()) {
            base.pop_back();
            base = base.substr(0, base.rfind('/') + 1);
        }
    }
    if (rest.rfind("./", 0) == 0)
        rest = rest.substr(2);
    return base + rest;
}

std::string RelationshipsPartOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

void SetAttribute(pugi::xml_node node, const char* name, const std::string& value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        attribute = node.append_attribute(name);
    attribute.set_value(value.c_str());
}

} // namespace kestrune::workbook
