#pragma once

#include <QString>
#include <variant>

namespace kestrune::workbook {

// What a cell holds: nothing, a number or a text.
using CellValue = std::variant<std::monostate, double, QString>;

} // namespace kestrune::workbook
