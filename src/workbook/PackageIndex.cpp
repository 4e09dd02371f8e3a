#include "PackageIndex.h"

#include "XmlParts.h"

#include <algorithm>

namespace kestrune::workbook::detail {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

const PackagePart* FindPart(const PackageParts& parts, const std::string& name) {
    // Part names compare without case in a package.
    for (const PackagePart& part : parts)
        if (SameName(part.name, name))
            return &part;
    return nullptr;
}

void SetPart(PackageParts& parts, const std::string& name, const QByteArray& bytes) {
    for (PackagePart& part : parts) {
        if (SameName(part.name, name)) {
            part.bytes = bytes;
            return;
        }
    }
    parts.push_back({name, bytes});
}

void RemovePart(PackageParts& parts, const std::string& name) {
    std::erase_if(parts, [&](const PackagePart& part) { return SameName(part.name, name); });
}

std::string RelationshipKind(pugi::xml_node relationship) {
    const std::string type = relationship.attribute("Type").value();
    return type.substr(type.rfind('/') + 1);
}

pugi::xml_node RelationshipOfKind(const pugi::xml_document& relationships, const char* kind) {
    for (pugi::xml_node relationship :
         relationships.child("Relationships").children("Relationship"))
        if (RelationshipKind(relationship) == kind)
            return relationship;
    return pugi::xml_node();
}

pugi::xml_node RelationshipWithId(const pugi::xml_document& relationships, const std::string& id) {
    return relationships.child("Relationships")
        .find_child_by_attribute("Relationship", "Id", id.c_str());
}

std::string AddRelationship(pugi::xml_document& relationships, const char* kind,
                            const std::string& target) {
    pugi::xml_node root = relationships.child("Relationships");
    if (!root) {
        root = relationships.append_child("Relationships");
        root.append_attribute("xmlns").set_value(
            "http://schemas.openxmlformats.org/package/2006/relationships");
    }
    int number = 1;
    while (RelationshipWithId(relationships, "rId" + std::to_string(number)))
        ++number;
    const std::string id = "rId" + std::to_string(number);
    pugi::xml_node relationship = root.append_child("Relationship");
    relationship.append_attribute("Id").set_value(id.c_str());
    relationship.append_attribute("Type").set_value(
        (std::string(kRelationshipBase) + kind).c_str());
    relationship.append_attribute("Target").set_value(target.c_str());
    return id;
}

std::string RelationshipIdOf(pugi::xml_node element) {
    for (pugi::xml_attribute attribute : element.attributes()) {
        const std::string name = attribute.name();
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ":id") == 0)
            return attribute.value();
    }
    return std::string();
}

void SetContentType(pugi::xml_document& contentTypes, const std::string& partName,
                    const char* type) {
    pugi::xml_node types = contentTypes.child("Types");
    const std::string wanted = "/" + partName;
    for (pugi::xml_node entry : types.children("Override")) {
        if (SameName(entry.attribute("PartName").value(), wanted)) {
            SetAttribute(entry, "ContentType", type);
            return;
        }
    }
    pugi::xml_node entry = types.append_child("Override");
    entry.append_attribute("PartName").set_value(wanted.c_str());
    entry.append_attribute("ContentType").set_value(type);
}

void RemoveContentType(pugi::xml_document& contentTypes, const std::string& partName) {
    pugi::xml_node types = contentTypes.child("Types");
    const std::string wanted = "/" + partName;
    for (pugi::xml_node entry : types.children("Override")) {
        if (SameName(entry.attribute("PartName").value(), wanted)) {
            types.remove_child(entry);
            return;
        }
    }
}

} // namespace kestrune::workbook::detail
