#pragma once

#include "shell/LongJob.h"

#include <QString>
#include <memory>

namespace kestrune::db {
class Connection;
class Statement;
} // namespace kestrune::db
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::exchange {

// Writes an offline exchange file: the template's database with the records
// of `source` whose RecordState is 1 and the label, protected with the
// database password, its header scrambled. The database is put together in
// memory and the target is written whole at the end, so a failure, a stop or
// the process being killed leaves neither a half-written exchange file nor a
// working file behind.
class OfflineExportJob : public shell::LongJob {
public:
    OfflineExportJob(const QString& source, const QString& templatePath, const QString& label,
                     const QString& target);
    ~OfflineExportJob() override;

    void start() override;
    bool step() override;
    void stop() override;
    qint64 total() const override { return total_; }
    qint64 done() const override { return done_; }

private:
    void finish();

    QString source_;
    QString template_;
    QString label_;
    QString target_;
    std::unique_ptr<db::Connection> work_;
    std::unique_ptr<db::Statement> copy_;
    std::unique_ptr<db::Statement> boundary_;
    qint64 afterRowId_ = 0;
    qint64 lastRowId_ = 0;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// "上报到离线版": the refusal rule, the label, the save dialog, the file and
// the closing message. True when the file was written.
bool ExportOffline(db::Connection& connection, const QString& databasePath, const QString& label,
                   shell::UserInteraction& ui);

// Everything after the dialogs; errors are reported to `ui`.
bool WriteOfflineFile(const QString& databasePath, const QString& label, const QString& target,
                      shell::UserInteraction& ui, bool showProgress = true);

} // namespace kestrune::exchange
