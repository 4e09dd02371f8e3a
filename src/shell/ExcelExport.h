#pragma once

#include "ExportQuery.h"
#include "LongJob.h"
#include "RecordColumns.h"

#include <QDate>
#include <QString>
#include <memory>
#include <vector>

namespace kestrune::db {
class Statement;
}
namespace kestrune::workbook {
class StreamedWorkbook;
}

namespace kestrune::shell {

class UserInteraction;

inline const QString kExcelEmptyMessage =
    QStringLiteral("SaveQueryAsExcel出错:数据表为空，不能导出！");
inline const QString kExcelSavedPrefix = QStringLiteral("Excel文件已经正确导出到：'");
inline const QString kExcelFilter = QStringLiteral("Excel 文件(*.xlsx)|*.xlsx");
inline const QString kExportDialogTitle = QStringLiteral("导出文件存放为");

// The file a chosen name is saved under: a name without ".xlsx" gets it
// ("report" -> "report.xlsx"), so the file's name says what it holds.
QString ExcelTargetName(const QString& chosen);

// The name the save dialog proposes: `name` + "-" + the day ("yyyy-MM-dd").
QString ProposedExportName(const QString& name, const QDate& today);
// The save dialog of both exports: titled kExportDialogTitle, starting in the
// documents folder (made when missing), proposing `name` and today's date,
// asking before overwriting. Empty when the person cancels or names nothing.
QString ChooseExportTarget(const QString& name, const QString& filter, UserInteraction& ui);

// Writes the rows of a query into a new workbook at `path`, one sheet named
// `name`: "导出日期:" and the day in row 2, the headings (`Hint`) of the
// descriptors with `QueryShow` in row 3, their columns (`ShowName`) from
// row 5 on, each column formatted by its type, widths fitted. The rows are
// streamed from the statement to the file; the file appears only whole.
class ExcelExportJob : public LongJob {
public:
    ExcelExportJob(const ExportQuery& query, const QString& name,
                   const TFieldDataArray& descriptors, const QString& path, const QDate& today,
                   UserInteraction* captions = nullptr);
    ~ExcelExportJob() override;

    void start() override;
    bool step() override;
    void stop() override;
    qint64 total() const override { return total_; }
    qint64 done() const override { return done_; }
    qint64 cellsWritten() const;

private:
    void showCaption();
    struct Column {
        int source = 0; // the query column
        ColumnKind kind = ColumnKind::Other;
        bool cid = false;
    };
    void writeHead();
    void writeRow(int row);

    ExportQuery query_;
    QString name_;
    TFieldDataArray descriptors_;
    QString path_;
    QDate today_;
    ExportCaptionShown captions_;
    std::unique_ptr<db::Statement> rows_;
    std::unique_ptr<workbook::StreamedWorkbook> book_;
    std::vector<Column> columns_;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// Everything after the save dialog, for the window and the command line
// alike: runs the job with progress and reports a failure. True when the
// file was written.
bool WriteQueryWorkbook(const ExportQuery& query, const QString& name,
                        const TFieldDataArray& descriptors, const QString& path,
                        UserInteraction& ui, const QDate& today = QDate::currentDate());

// Asks for the file (documents folder, proposed name) and writes the
// workbook; an empty query writes nothing and says so. True when written.
bool SaveQueryAsExcel(const ExportQuery& query, const QString& name,
                      const TFieldDataArray& descriptors, UserInteraction& ui);

} // namespace kestrune::shell
