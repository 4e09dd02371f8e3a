#pragma once

#include <QString>

namespace kestrune::db {

// The database password is never stored whole: it is derived at run time from
// a constant by ten chained single-character substitutions (each replaces only
// the first occurrence, in the result of the one before), then a rotation of
// positions 2-4 (new 2,3,4 = old 4,2,3) and the exchange of positions 8 and 10.
// An empty constant yields empty text.
QString MakeDatabasePassword(const QString& constant);

// The password of the installed database, the exchange files and the
// export template.
QString databasePassword();

// The upload key is derived the same way from a 16-character constant:
// sixteen chained single-character substitutions, then the exchange of
// positions 2 and 16, then of positions 8 and 9. An empty constant yields
// empty text.
QString MakeUploadKey(const QString& constant);

// The AES key string of online upload files.
QString uploadKey();

} // namespace kestrune::db
