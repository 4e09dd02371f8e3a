#pragma once

// Relationships, content types and parts of a package, by name.

#include "ZipPackage.h"

#include <pugixml.hpp>
#include <string>

namespace kestrune::workbook::detail {

inline constexpr const char* kRelationshipBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

const PackagePart* FindPart(const PackageParts& parts, const std::string& name);
void SetPart(PackageParts& parts, const std::string& name, const QByteArray& bytes);
void RemovePart(PackageParts& parts, const std::string& name);

// A relationship's short type: "worksheet" for ".../relationships/worksheet".
std::string RelationshipKind(pugi::xml_node relationship);
pugi::xml_node RelationshipOfKind(const pugi::xml_document& relationships, const char* kind);
pugi::xml_node RelationshipWithId(const pugi::xml_document& relationships, const std::string& id);
// Adds a relationship of the short type `kind` and returns its new id.
std::string AddRelationship(pugi::xml_document& relationships, const char* kind,
                            const std::string& target);
// The r:id of an element (whatever prefix the file gives the namespace).
std::string RelationshipIdOf(pugi::xml_node element);

void SetContentType(pugi::xml_document& contentTypes, const std::string& partName,
                    const char* type);
void RemoveContentType(pugi::xml_document& contentTypes, const std::string& partName);

} // namespace kestrune::workbook::detail
