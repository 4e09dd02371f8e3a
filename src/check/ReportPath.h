#pragma once

#include <QString>

namespace kestrune::check {

// The check report of a database: "2020基层以上-<label>-逻辑检查结果.txt" in the
// folder named by TEMP, or in the system's temporary folder when TEMP is unset.
// The label is made fit for a file name: see reportFileLabel.
QString checkReportPath(const QString& databaseLabel);

// The database label as the report's file name carries it: characters that
// Windows or Linux refuse in a name (\ / : * ? " < > | and control
// characters) become "_", and a label too long for the name (and the name of
// the temporary file beside it) to stay within 255 bytes on disk is cut to fit.
QString reportFileLabel(const QString& databaseLabel);

} // namespace kestrune::check
