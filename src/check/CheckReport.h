#pragma once

#include "CheckRunState.h"
#include "GbkEncoder.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringView>

namespace kestrune::check {

// The text report of a check run, in GBK with CR LF line ends: a title and the
// start time, then for each failing record a heading and its failed rules, and
// the totals at the end. The file stays open for the whole run; every write
// failure throws ReportFileError.
class CheckReport {
public:
    explicit CheckReport(CheckRunState& state) : state_(state) {}

    // Creates or empties the file and writes the title, the start time and two
    // empty lines.
    void create(const QString& path, const QDateTime& startTime);
    // One failed rule of the current record; the record's first failure writes
    // its heading and the line of dashes before it.
    void AppendRuleFailure(QStringView expression, const QString& explanation);
    // The closing rule line and the two totals; written only when a record failed.
    void appendTotals();
    // Hands what is written to the system, so that the file is complete up to
    // here even if the program ends unexpectedly.
    void flush();
    void close();

    const QString& path() const { return path_; }

private:
    void writeLine(QStringView line);
    [[noreturn]] void fail(const QString& error);

    CheckRunState& state_;
    GbkEncoder encoder_;
    QFile file_;
    QString path_;
};

} // namespace kestrune::check
