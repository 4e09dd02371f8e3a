#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace kestrune::db {
class Connection;
}

namespace kestrune::check {

// The field catalogue's captions (dt_fieldlist FieldName → Hint), read with one
// statement at first use and then kept in memory, so that translating an
// explanation never goes back to the database.
class FieldCaptions {
public:
    explicit FieldCaptions(db::Connection& connection) : connection_(connection) {}

    // The caption of a field named exactly so; nothing when the catalogue lacks
    // the name. Throws db::EngineError when the catalogue cannot be read; the
    // next lookup then tries again.
    std::optional<QString> caption(const QString& fieldName);

    // Reads the catalogue again now, for a catalogue changed since it was read
    // (another database opened, a restored backup). Throws db::EngineError.
    void reload();
    bool isLoaded() const { return loaded_; }

private:
    db::Connection& connection_;
    QHash<QString, QString> captions_;
    bool loaded_ = false;
};

} // namespace kestrune::check
