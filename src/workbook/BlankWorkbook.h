#pragma once

#include "ZipPackage.h"

namespace kestrune::workbook::detail {

// The parts of a workbook with one empty sheet "Sheet1".
PackageParts BlankWorkbookParts();
// The XML of an empty worksheet and of a minimal styles part.
QByteArray BlankSheetXml();
QByteArray BlankStylesXml();

} // namespace kestrune::workbook::detail
