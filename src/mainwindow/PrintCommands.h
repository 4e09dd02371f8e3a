#pragma once

#include <functional>

namespace kestrune::mainwindow {

class TMainForm;

// What the entry dialog's print button calls: the annual report of one
// record, printed as the main window prints it.
std::function<void(double unitCode)> AnnualReportPrinter(TMainForm& window);

} // namespace kestrune::mainwindow
