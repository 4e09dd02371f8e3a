#pragma once

#include <QStringView>

namespace kestrune::workbook {

// How many character cells a text takes in a spreadsheet column: East Asian
// wide characters (Chinese, full-width forms) count twice, others once.
int DisplayWidth(QStringView text);

} // namespace kestrune::workbook
