#include "SummaryJob.h"

#include "BreakdownPass.h"
#include "SummarySheets.h"
#include "SummaryWorkbook.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"

#include <QRegularExpression>

namespace kestrune::sum {

namespace {

// Records read per step: a step stays well under the 20 ms of a window's
// slice on the slowest machines.
constexpr int kRecordsPerStep = 2000;

std::vector<int> summarySheetsOf(const std::vector<int>& sheets) {
    std::vector<int> chosen;
    for (int sheet : sheets)
        if (isSummarySheet(sheet))
            chosen.push_back(sheet);
    return chosen;
}

qint64 cellsOf(int sheet, const BreakdownResult& result) {
    return qint64(result.rows.size()) * qint64(summarySheet(sheet).items.size());
}

} // namespace

SummaryJob::SummaryJob(db::Connection& connection, Breakdown breakdown, qint64 groupId,
                       std::vector<int> sheets, QString templatePath)
    : connection_(connection), breakdown_(breakdown), groupId_(groupId), sheets_(std::move(sheets)),
      templatePath_(std::move(templatePath)) {}

SummaryJob::~SummaryJob() = default;

void SummaryJob::start() {
    try {
        book_.emplace(workbook::Workbook::open(templatePath_));
    } catch (const workbook::WorkbookError&) {
        throw SummaryTemplateError();
    }
    if (book_->sheetCount() < kLastSummarySheet)
        throw SummaryTemplateError();
    pass_ = std::make_unique<BreakdownPass>(connection_, breakdown_, groupId_,
                                            summarySheetsOf(sheets_));
    records_ = pass_->total();
    taskTotal_ = records_;
}

bool SummaryJob::step() {
    if (stopped_ || finished_)
        return false;
    if (!result_) {
        if (pass_->advance(kRecordsPerStep)) {
            taskDone_ = pass_->done();
            return true;
        }
        result_ = pass_->result();
        pass_.reset();
        taskDone_ = taskTotal_;
        return true;
    }
    if (size_t(sheetsDone_) < sheets_.size()) {
        const int sheet = sheets_[size_t(sheetsDone_)];
        if (isSummarySheet(sheet)) {
            taskTotal_ = cellsOf(sheet, *result_);
            taskDone_ = 0;
            FillSummarySheet(book_->sheet(sheet), sheet, breakdown_, *result_,
                             [this] { ++taskDone_; });
        }
        ++sheetsDone_;
        return true;
    }
    KeepOnlySheets(*book_, sheets_);
    finished_ = true;
    return false;
}

qint64 SummaryJob::total() const {
    return records_ + qint64(sheets_.size());
}

qint64 SummaryJob::done() const {
    return (result_ ? records_ : taskDone_) + sheetsDone_;
}

std::optional<workbook::Workbook> SummaryWorkbook(db::Connection& connection,
                                                  shell::UserInteraction& ui, Breakdown breakdown,
                                                  qint64 groupId, const std::vector<int>& sheets,
                                                  bool showProgress) {
    SummaryJob job(connection, breakdown, groupId, sheets, SummaryTemplatePath());
    try {
        shell::RunJobToEnd(job, ui, showProgress);
    } catch (const SummaryTemplateError&) {
        ui.showMessage(kSummaryTemplateUnavailable, shell::MessageKind::Error);
        return std::nullopt;
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e));
        return std::nullopt;
    } catch (const workbook::WorkbookError& e) {
        ui.showRuntimeError(e.text());
        return std::nullopt;
    }
    if (!job.finished())
        return std::nullopt;
    return job.takeWorkbook();
}

QString SummarySubject(db::Connection& connection, Breakdown breakdown, qint64 groupId) {
    if (breakdown != Breakdown::Group)
        return BreakdownLabel(breakdown);
    const QString name =
        connection.scalar(QStringLiteral("select name from ct_group where id=?"), {groupId})
            .toString()
            .trimmed()
            .remove(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")));
    return name.isEmpty() ? QStringLiteral("分组") : name;
}

} // namespace kestrune::sum
