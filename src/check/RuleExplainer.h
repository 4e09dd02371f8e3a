#pragma once

#include "FieldCaptions.h"

#include <QString>
#include <QStringView>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::check {

// Turns a rule's explanation into words a clerk reads: each field name becomes
// its caption in brackets and each bracketed comparison mark a phrase, so
// "z002 [<=] z001" reads "[caption of z002] 不能大于 [caption of z001]". Shared
// by the batch check and the entry dialog's page rules; one explainer lives as
// long as the connection, so the catalogue is read once.
class RuleExplainer {
public:
    RuleExplainer(db::Connection& connection, shell::UserInteraction& ui);

    QString ExplainRule(QStringView explanation);
    // One token: a comparison mark, a field name, or anything else, which
    // stays as it is ("<>", "and", "or", a name the catalogue lacks).
    QString TranslateToken(QStringView token);

    // Reads the catalogue again for a catalogue changed since (throws
    // db::EngineError).
    void reloadCatalogue() { captions_.reload(); }

private:
    FieldCaptions captions_;
    shell::UserInteraction& ui_;
};

} // namespace kestrune::check
