#pragma once

#include <QString>

class QCoreApplication;
class QTranslator;

namespace kestrune::shell {

// Qt's own texts (the buttons of message boxes, the file dialogs) in Chinese,
// from Qt's translations (Debian: qt6-translations-l10n) in `folder`, by
// default Qt's translations folder. Installed on the application, which owns
// the translator; nothing when the translations are missing, and Qt's texts
// stay English.
QTranslator* LoadQtTranslations(QCoreApplication& application, const QString& folder = QString());

} // namespace kestrune::shell
