#include "OnlineExport.h"

#include "ExchangeFileError.h"
#include "UploadCipher.h"
#include "UploadRules.h"
#include "UploadText.h"
#include "schema/Connection.h"
#include "schema/DerivedKeys.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"
#include "shell/FailureReason.h"
#include "shell/UserInteraction.h"
#include "text/TextCodecError.h"

#include <QDate>

namespace kestrune::exchange {

namespace {

constexpr int kRecordsPerStep = 200;
// Lines are written in runs of about this size rather than one by one.
constexpr qsizetype kWriteRun = 1 << 18;

} // namespace

OnlineExportJob::OnlineExportJob(db::Connection& connection, const QString& target,
                                 const QString& key, shell::UserInteraction* captions)
    : connection_(connection), target_(target), key_(key), captions_(captions) {}

OnlineExportJob::~OnlineExportJob() {
    stop();
}

void OnlineExportJob::start() {
    writer_ = std::make_unique<UploadLineWriter>(ReadUploadColumns(connection_));
    total_ = connection_.scalar(QStringLiteral("select count(*) from dt_data")).toLongLong();
    file_ = std::make_unique<UploadFileWriter>(target_, key_);
    write(writer_->headerLine());
    records_ = std::make_unique<db::Statement>(
        connection_, QStringLiteral("select * from dt_data order by c901 asc"));
    writer_->bindRow(*records_);
    showCaption();
}

void OnlineExportJob::write(const QByteArray& bytes) {
    file_->write(bytes);
}

bool OnlineExportJob::step() {
    for (int n = 0; n < kRecordsPerStep; ++n) {
        if (!records_->step()) {
            finish();
            return false;
        }
        writer_->appendLine(*records_, lines_);
        ++done_;
        if (lines_.size() >= kWriteRun) {
            write(lines_);
            lines_.clear();
        }
    }
    showCaption();
    return true;
}

void OnlineExportJob::finish() {
    records_.reset();
    write(lines_);
    lines_.clear();
    file_->commit();
    file_.reset();
    showCaption();
}

void OnlineExportJob::stop() {
    records_.reset();
    // Uncommitted, the encrypted file goes with its writer.
    file_.reset();
}

void OnlineExportJob::showCaption() {
    if (!captions_)
        return;
    const qint64 percent = total_ > 0 ? done_ * 100 / total_ : 100;
    if (percent != shownPercent_) {
        shownPercent_ = percent;
        captions_->progressCaption(OnlineExportCaption(done_, total_));
    }
}

bool WriteOnlineFile(db::Connection& connection, const QString& target, shell::UserInteraction& ui,
                     bool showProgress) {
    OnlineExportJob job(connection, target, db::uploadKey(), &ui);
    try {
        shell::RunJobToEnd(job, ui, showProgress);
    } catch (const db::EngineError& e) {
        job.stop();
        ui.showMessage(shell::FailureReason(e), shell::MessageKind::Error);
        return false;
    } catch (const ExchangeFileError& e) {
        job.stop();
        ui.showMessage(e.text(), shell::MessageKind::Error);
        return false;
    } catch (const UploadEncodingError& e) {
        job.stop();
        ui.showMessage(e.message(), shell::MessageKind::Error);
        return false;
    } catch (const text::TextCodecError& e) {
        job.stop();
        ui.showMessage(e.text(), shell::MessageKind::Error);
        return false;
    }
    ui.showMessage(kOnlineExportedMessage);
    return true;
}

bool ExportOnline(db::Connection& connection, shell::UserInteraction& ui) {
    if (CountUnreportableRecords(connection) > 0) {
        ui.showMessage(kOnlineRefusal);
        return false;
    }
    const std::optional<QString> target =
        ChooseUploadTarget(ui, kOnlineFilter, OnlineProposedName(QDate::currentDate()));
    if (!target)
        return false;
    return WriteOnlineFile(connection, *target, ui);
}

} // namespace kestrune::exchange
