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

class UploadFileWriter;
class UploadLineWriter;

// Writes the online upload file: the upload text table of every record in
// unit-code order, GBK, encrypted under `key` as it is made
// (UploadFileWriter) and put in the target's place whole at the end. No
// plain copy of the records is ever written, and a failure, a stop or the
// program being killed leaves the target as it was and nothing beside it.
class OnlineExportJob : public shell::LongJob {
public:
    OnlineExportJob(db::Connection& connection, const QString& target, const QString& key,
                    shell::UserInteraction* captions = nullptr);
    ~OnlineExportJob() override;

    void start() override;
    bool step() override;
    void stop() override;
    qint64 total() const override { return total_; }
    qint64 done() const override { return done_; }

private:
    void write(const QByteArray& bytes);
    void finish();
    void showCaption();

    db::Connection& connection_;
    QString target_;
    QString key_;
    shell::UserInteraction* captions_;
    std::unique_ptr<UploadFileWriter> file_;
    std::unique_ptr<UploadLineWriter> writer_;
    std::unique_ptr<db::Statement> records_;
    QByteArray lines_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    qint64 shownPercent_ = -1;
};

// "上报到网络版": the refusal rule, the save dialog, the file and the closing
// message. True when the file was written.
bool ExportOnline(db::Connection& connection, shell::UserInteraction& ui);

// Everything after the save dialog; errors are reported to `ui`.
bool WriteOnlineFile(db::Connection& connection, const QString& target, shell::UserInteraction& ui,
                     bool showProgress = true);

} // namespace kestrune::exchange
