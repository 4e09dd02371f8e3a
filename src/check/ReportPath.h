#pragma once

#include <QString>

namespace kestrune::check {

// The check report of a database: "2020基层以上-<label>-逻辑检查结果.txt" in the
// folder named by TEMP, or in the system's temporary folder when TEMP is unset.
QString checkReportPath(const QString& databaseLabel);

} // namespace kestrune::check
