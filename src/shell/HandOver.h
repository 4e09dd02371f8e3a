#pragma once

#include <QDate>
#include <QString>

namespace kestrune::workbook {
class Workbook;
}

namespace kestrune::shell {

class UserInteraction;

// Said when the workbook is saved but nothing on this system opens it.
QString NothingOpensMessage(const QString& path);
// Said when the workbook cannot be saved in the documents folder.
QString HandOverFailedMessage(const QString& reason);

// "<prefix>-<subject>-<yyyy-MM-dd>.xlsx" (without "-<subject>" when it is
// empty), or the first of "... (2).xlsx", "... (3).xlsx", ... that `folder`
// does not hold yet.
QString FreeHandOverPath(const QString& folder, const QString& prefix, const QString& subject,
                         const QDate& day);

// Hands a filled workbook to the person: saves it under the documents folder
// (created when missing) under a name that says what it is and never replaces
// an existing file, then opens it with the program the system associates with
// workbooks. When nothing opens it the person is told where it lies. Returns
// the saved file's path, empty when it could not be saved (the person has
// been told why).
QString HandOverWorkbook(const workbook::Workbook& book, const QString& prefix,
                         const QString& subject, UserInteraction& ui,
                         const QDate& day = QDate::currentDate());

} // namespace kestrune::shell
