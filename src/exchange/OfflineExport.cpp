#include "OfflineExport.h"

#include "ExchangeFileError.h"
#include "ExchangeHeader.h"
#include "TableColumns.h"
#include "UploadRules.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/DerivedKeys.h"
#include "schema/EngineError.h"
#include "schema/ProtectedFile.h"
#include "schema/SqlText.h"
#include "schema/Statement.h"
#include "shell/FailureReason.h"
#include "shell/ProgramFolder.h"
#include "shell/UserInteraction.h"

#include <QDate>
#include <QFile>
#include <QStringList>

namespace kestrune::exchange {

namespace {

constexpr int kRowsPerStep = 500;
const QString kSourceSchema = QStringLiteral("upload_source");

} // namespace

OfflineExportJob::OfflineExportJob(const QString& source, const QString& templatePath,
                                   const QString& label, const QString& target)
    : source_(source), template_(templatePath), label_(label), target_(target) {}

OfflineExportJob::~OfflineExportJob() {
    stop();
}

void OfflineExportJob::start() {
    work_ = std::make_unique<db::Connection>();
    work_->openImage(db::ProtectedFile::read(template_, db::databasePassword()));
    work_->attach(source_, kSourceSchema);

    // Columns by name, so that a template whose columns stand in another
    // order still receives every value in its own column.
    QStringList columns;
    for (const QString& name : TableColumns(*work_, QStringLiteral("dt_data")))
        columns << db::quoteName(name);
    const QString list = columns.join(QLatin1Char(','));
    total_ = work_
                 ->scalar(QStringLiteral("select count(*) from %1.dt_data where RecordState=1")
                              .arg(kSourceSchema))
                 .toLongLong();
    lastRowId_ =
        work_->scalar(QStringLiteral("select max(rowid) from %1.dt_data").arg(kSourceSchema))
            .toLongLong();
    afterRowId_ =
        work_->scalar(QStringLiteral("select min(rowid) - 1 from %1.dt_data").arg(kSourceSchema))
            .toLongLong();
    boundary_ = std::make_unique<db::Statement>(
        *work_, QStringLiteral("select rowid from %1.dt_data where rowid>? order by rowid "
                               "limit 1 offset %2")
                    .arg(kSourceSchema)
                    .arg(kRowsPerStep - 1));
    work_->begin();
    copy_ = std::make_unique<db::Statement>(
        *work_, QStringLiteral("insert into main.dt_data (%1) select %1 from %2.dt_data where "
                               "RecordState=1 and rowid>? and rowid<=?")
                    .arg(list, kSourceSchema));
}

bool OfflineExportJob::step() {
    if (done_ < total_ && afterRowId_ < lastRowId_) {
        // The rows of the next kRowsPerStep row ids, however sparse they are.
        boundary_->bindInteger(1, afterRowId_);
        const qint64 upTo = boundary_->step() ? boundary_->int64(0) : lastRowId_;
        boundary_->reset();
        copy_->bindInteger(1, afterRowId_);
        copy_->bindInteger(2, upTo);
        done_ += copy_->execute();
        afterRowId_ = upTo;
        return true;
    }
    finish();
    return false;
}

void OfflineExportJob::finish() {
    copy_.reset();
    boundary_.reset();
    // Bound, so that any label (a quote in a unit's name too) is stored as
    // typed; named with its schema, so that a template lacking the table
    // fails rather than reaching the working database's label.
    work_->execute(QStringLiteral("update main.ct_label set db_name = ?"), {label_});
    work_->commit();
    work_->detach(kSourceSchema);
    QByteArray file = db::ProtectedFile::seal(work_->image(), db::databasePassword());
    work_.reset();
    ScrambleHeaderBytes(file);
    db::replaceFileContents(target_, file);
}

void OfflineExportJob::stop() {
    copy_.reset();
    boundary_.reset();
    if (work_ && work_->inTransaction())
        work_->rollback();
    work_.reset();
}

bool WriteOfflineFile(const QString& databasePath, const QString& label, const QString& target,
                      shell::UserInteraction& ui, bool showProgress) {
    const QString templatePath = shell::programFile(kExchangeTemplateName);
    QFile templateFile(templatePath);
    if (!templateFile.open(QIODevice::ReadOnly)) {
        ui.showMessage(templateFile.errorString(), shell::MessageKind::Error);
        return false;
    }
    templateFile.close();
    OfflineExportJob job(databasePath, templatePath, label, target);
    try {
        shell::RunJobToEnd(job, ui, showProgress);
    } catch (const db::EngineError& e) {
        job.stop();
        ui.showRuntimeError(shell::FailureReason(e), kOfflineErrorAdvice);
        return false;
    } catch (const ExchangeFileError& e) {
        job.stop();
        ui.showRuntimeError(e.text(), kOfflineErrorAdvice);
        return false;
    }
    ui.showMessage(OfflineExportedMessage(target));
    return true;
}

bool ExportOffline(db::Connection& connection, const QString& databasePath, const QString& label,
                   shell::UserInteraction& ui) {
    if (CountUnreportableRecords(connection) > 0) {
        ui.showMessage(kOfflineRefusal);
        return false;
    }
    const std::optional<QString> confirmed = AskExportLabel(ui, label);
    if (!confirmed)
        return false;
    const std::optional<QString> target = ChooseUploadTarget(
        ui, kOfflineFilter, OfflineProposedName(*confirmed, QDate::currentDate()));
    if (!target)
        return false;
    return WriteOfflineFile(databasePath, *confirmed, *target, ui);
}

} // namespace kestrune::exchange
