#pragma once

#include "workbook/Workbook.h"

#include <QString>
#include <optional>
#include <stdexcept>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::exchange {

// The print template in the program folder: one worksheet per printed page.
inline const QString kPrintTemplateName = QStringLiteral("2020打印表.xlt");
inline const QString kTemplateUnavailable =
    QStringLiteral("打开汇总模版文件时发生错误，可能是没有安装MS Office或wps Office中的Excel");
// The start of a handed-over annual report's file name.
inline const QString kAnnualReportPrefix = QStringLiteral("年报表");

QString PrintTemplatePath();

// Why a report could not be filled: a page the template lacks, a cell address
// it cannot take, a field the record lacks, or no record of that code.
class AnnualReportError : public std::runtime_error {
public:
    explicit AnnualReportError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Fills `book` (the opened template) with the record of `unitCode` from
// view_data: every catalogue row of a printed page (a page that some row with
// pageid>=0 names) puts its field, typed as text, into its printplace cell on
// worksheet printPageID. One progress step per page. Throws
// AnnualReportError; the workbook is then half filled and is to be dropped.
void FillAnnualReport(workbook::Workbook& book, db::Connection& connection,
                      shell::UserInteraction& ui, double unitCode);

// The template opened and filled for one record; nothing when it could not be
// (the person has been told why).
std::optional<workbook::Workbook> AnnualReportWorkbook(db::Connection& connection,
                                                       shell::UserInteraction& ui, double unitCode);

// The print command: the filled report handed over (saved among the
// person's documents and opened); a report that could not be filled whole is
// not handed over. Returns the handed-over file, empty when there is none.
QString PrintAnnualReport(db::Connection& connection, shell::UserInteraction& ui, double unitCode);

// The unit code as the file name and messages show it: "110101000001".
QString UnitCodeText(double unitCode);

} // namespace kestrune::exchange
