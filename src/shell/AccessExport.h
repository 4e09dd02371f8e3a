#pragma once

#include "ExportQuery.h"
#include "LongJob.h"

#include <QString>
#include <memory>
#include <optional>

namespace kestrune::db {
class Connection;
class Statement;
} // namespace kestrune::db

namespace kestrune::shell {

class UserInteraction;

inline const QString kAccessEmptyMessage =
    QStringLiteral("SaveQueryAsAccess:：出错:数据表为空，不能导出！");
inline const QString kAccessFilter = QStringLiteral("Access文件(*.mdb)|*.mdb");

// The file a chosen name is written to: a name longer than four characters
// without ".mdb" gets it.
QString AccessTargetName(const QString& chosen);

// "Access文件已经正确导出到：'" + file + "'！"
QString AccessSavedMessage(const QString& file);

// Copies the rows of a query into the table `name` of a database file
// (created when missing), the table replaced when the file has one of that
// name (compared without regard to case), all in one transaction with every
// value bound. An open detail query goes into the table `name` + "1"; an old
// table of that name is dropped either way.
class AccessExportJob : public LongJob {
public:
    AccessExportJob(const ExportQuery& query, std::optional<ExportQuery> detail,
                    const QString& name, const QString& file, UserInteraction* captions = nullptr);
    ~AccessExportJob() override;

    void start() override;
    bool step() override;
    void stop() override;
    qint64 total() const override { return total_; }
    qint64 done() const override { return done_; }
    // The statement that was running when the job failed.
    const QString& lastStatement() const { return statement_; }

private:
    void showCaption();
    struct Copy;
    void run(const QString& sql);
    void beginCopy(const ExportQuery& query, const QString& table);

    ExportQuery query_;
    std::optional<ExportQuery> detail_;
    QString name_;
    QString file_;
    ExportCaptionShown captions_;
    std::unique_ptr<db::Connection> target_;
    std::unique_ptr<Copy> copy_;
    bool detailDone_ = false;
    QString statement_;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// Asks for the file (".mdb" appended as AccessTargetName says) and copies the
// query into it; an empty query writes nothing and says so. True when written.
bool SaveQueryAsAccess(const ExportQuery& query, const std::optional<ExportQuery>& detail,
                       const QString& name, UserInteraction& ui);

// Everything after the save dialog. True when written.
bool WriteQueryDatabase(const ExportQuery& query, const std::optional<ExportQuery>& detail,
                        const QString& name, const QString& file, UserInteraction& ui);

} // namespace kestrune::shell
