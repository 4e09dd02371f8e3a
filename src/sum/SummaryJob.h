#pragma once

#include "Breakdown.h"
#include "shell/LongJob.h"
#include "workbook/Workbook.h"

#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::sum {

class BreakdownPass;

// The template could not be opened (missing, or not a workbook).
class SummaryTemplateError : public std::runtime_error {
public:
    SummaryTemplateError() : std::runtime_error("summary template unavailable") {}
};

// The summation as a long job: the template opened, one pass over the
// records for the breakdown, then one step per chosen sheet filled, and at
// the end the sheets not chosen deleted. Progress in two lines: the chosen
// sheets (the cover counted), and the current task (records read, then the
// cells of the sheet being filled).
class SummaryJob : public shell::LongJob {
public:
    // `sheets`: the chosen sheet numbers, ascending (1 is the cover).
    SummaryJob(db::Connection& connection, Breakdown breakdown, qint64 groupId,
               std::vector<int> sheets, QString templatePath);
    ~SummaryJob() override;

    // Throws SummaryTemplateError when the template cannot be opened.
    void start() override;
    bool step() override;
    void stop() override { stopped_ = true; }
    qint64 total() const override;
    qint64 done() const override;

    int sheetsTotal() const { return int(sheets_.size()); }
    int sheetsDone() const { return sheetsDone_; }
    qint64 taskTotal() const { return taskTotal_; }
    qint64 taskDone() const { return taskDone_; }

    bool finished() const { return finished_; }
    // The filled workbook once finished.
    workbook::Workbook& workbook() { return *book_; }
    workbook::Workbook takeWorkbook() { return std::move(*book_); }

private:
    db::Connection& connection_;
    Breakdown breakdown_;
    qint64 groupId_;
    std::vector<int> sheets_;
    QString templatePath_;
    std::optional<workbook::Workbook> book_;
    std::unique_ptr<BreakdownPass> pass_;
    std::optional<BreakdownResult> result_;
    qint64 records_ = 0;
    int sheetsDone_ = 0;
    qint64 taskTotal_ = 0;
    qint64 taskDone_ = 0;
    bool stopped_ = false;
    bool finished_ = false;
};

// Runs the summation to its end in the caller's loop and gives the filled
// workbook; nothing when the template could not be opened or the filling
// failed (the person has been told why).
std::optional<workbook::Workbook> SummaryWorkbook(db::Connection& connection,
                                                  shell::UserInteraction& ui, Breakdown breakdown,
                                                  qint64 groupId, const std::vector<int>& sheets,
                                                  bool showProgress);

// What the handed-over file is called after: the breakdown's label, or the
// group's name.
QString SummarySubject(db::Connection& connection, Breakdown breakdown, qint64 groupId);

} // namespace kestrune::sum
