#pragma once

#include "CheckRunState.h"
#include "text/GbkEncoder.h"

#include <QDateTime>
#include <QSaveFile>
#include <QString>
#include <QStringView>
#include <memory>

namespace kestrune::check {

// The last line of a report whose run did not reach its end (stopped, failed
// or still going), in place of the totals.
inline const QString kIncompleteReportLine = QStringLiteral("逻辑检查没有完成，以上结果不完整！");

// The text report of a check run, in GBK with CR LF line ends: a title and the
// start time, then for each failing record a heading and its failed rules, and
// the totals at the end. The report is written to a temporary file beside its
// final name and replaces the file there in one step, so that two runs at once
// never mix their lines and a reader only ever finds a whole report or one
// that says it is incomplete. Every write failure throws ReportFileError.
class CheckReport {
public:
    // Throws ReportFileError when the system cannot write GBK.
    explicit CheckReport(CheckRunState& state);

    // Replaces the file at `path` with the title, the start time, two empty
    // lines and the incomplete note (what stays there if the run never ends),
    // then starts the full report with the same head.
    void create(const QString& path, const QDateTime& startTime);
    // One failed rule of the current record; the record's first failure writes
    // its heading and the line of dashes before it.
    void AppendRuleFailure(QStringView expression, const QString& explanation);
    // The closing rule line and the two totals; written only when a record failed.
    void appendTotals();
    // Hands what is written so far to the system, so that a failing disk shows
    // at a pause rather than at the end.
    void flush();
    // The report is whole: it replaces the file at path().
    void commit();
    // The run ends early: the incomplete note closes the report, which then
    // replaces the file at path(). When that fails the note written by
    // create() stays there, and the error is thrown.
    void abandon();

    const QString& path() const { return path_; }

private:
    QByteArray head(const QDateTime& startTime);
    QByteArray incompleteNote();
    QByteArray encode(QStringView line);
    void writeLine(QStringView line);
    void write(const QByteArray& bytes);
    void replaceFile(QSaveFile& file);
    [[noreturn]] void fail(const QString& error);

    CheckRunState& state_;
    text::GbkEncoder encoder_;
    std::unique_ptr<QSaveFile> file_; // open while the run writes
    QString path_;
};

} // namespace kestrune::check
