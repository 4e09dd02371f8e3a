#include "FieldCaptions.h"

#include "schema/Connection.h"
#include "schema/Dataset.h"

namespace kestrune::check {

std::optional<QString> FieldCaptions::caption(const QString& fieldName) {
    if (!loaded_)
        reload();
    const auto found = captions_.constFind(fieldName);
    if (found == captions_.constEnd())
        return std::nullopt;
    return found.value();
}

void FieldCaptions::reload() {
    loaded_ = false;
    captions_.clear();
    db::Dataset catalogue = connection_.query(QStringLiteral("select * from DT_FieldList"));
    QHash<QString, QString> captions;
    for (catalogue.first(); !catalogue.eof(); catalogue.next()) {
        const QString name = catalogue.field(QStringLiteral("FieldName")).asText();
        // The first row of a name wins, as a lookup that stops at the first match.
        if (!captions.contains(name))
            captions.insert(name, catalogue.field(QStringLiteral("Hint")).asText());
    }
    captions_ = std::move(captions);
    loaded_ = true;
}

} // namespace kestrune::check
