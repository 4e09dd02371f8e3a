#pragma once

#include "shell/LongJob.h"

#include <QFile>
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

class UploadLineWriter;

// Writes the online upload file: the upload text table of every record in
// unit-code order, first as the GBK text file beside the target
// (IntermediateName), then encrypted under `key` into the target. The
// encrypted file is written beside the target and renamed over it at the
// end; the text file is deleted afterwards, also after a failure or a stop,
// so neither a plain copy of the records nor a partial target stays behind.
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
    void removeLeftovers();
    void showCaption();

    db::Connection& connection_;
    QString target_;
    QString key_;
    shell::UserInteraction* captions_;
    QString intermediate_;
    QString encrypting_;
    QFile text_;
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
