#include "AnnualReport.h"

#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/HandOver.h"
#include "shell/ProgramFolder.h"
#include "shell/UserInteraction.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace kestrune::exchange {

namespace {

// The progress window closes however the filling ends.
class ProgressShown {
public:
    ProgressShown(shell::UserInteraction& ui, int pages) : ui_(ui) { ui_.progressStart(pages, 0); }
    ~ProgressShown() { ui_.progressFinish(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    shell::UserInteraction& ui_;
};

QList<int> PrintedPages(db::Connection& connection) {
    QList<int> pages;
    db::Dataset rows = connection.query(QStringLiteral(
        "select distinct printPageID from dt_fieldlist where pageid>=0 order by printPageID"));
    for (; !rows.eof(); rows.next())
        pages << int(rows.field(QStringLiteral("printPageID")).asInteger());
    return pages;
}

void FillPage(workbook::Worksheet sheet, db::Connection& connection, const db::Dataset& record,
              int page) {
    db::Dataset fields = connection.query(
        QStringLiteral("select Fieldname, printplace from dt_fieldlist where printPageID=?"),
        {page});
    for (; !fields.eof(); fields.next()) {
        const QString field = fields.field(QStringLiteral("Fieldname")).asText();
        const QString place = fields.field(QStringLiteral("printplace")).asText();
        if (record.columnIndex(field) < 0)
            throw AnnualReportError(QStringLiteral("年报表数据中没有字段%1").arg(field));
        try {
            sheet.setTyped(place, record.field(field).asText());
        } catch (const workbook::WorkbookError& e) {
            throw AnnualReportError(
                QStringLiteral("第%1页%2的位置“%3”无效：%4").arg(page).arg(field, place, e.text()));
        }
    }
}

} // namespace

QString PrintTemplatePath() {
    return QDir(shell::programFolder()).filePath(kPrintTemplateName);
}

QString UnitCodeText(double unitCode) {
    return QString::number(unitCode, 'f', 0);
}

void FillAnnualReport(workbook::Workbook& book, db::Connection& connection,
                      shell::UserInteraction& ui, double unitCode) {
    db::Dataset record =
        connection.query(QStringLiteral("select * from view_data where c901=?"), {unitCode});
    if (record.isEmpty())
        throw AnnualReportError(
            QStringLiteral("没有统计编码为%1的记录").arg(UnitCodeText(unitCode)));
    const QList<int> pages = PrintedPages(connection);
    ProgressShown progress(ui, int(pages.size()));
    for (int page : pages) {
        if (page < 1 || page > book.sheetCount())
            throw AnnualReportError(QStringLiteral("打印模版中没有第%1页").arg(page));
        FillPage(book.sheet(page), connection, record, page);
        ui.progressStep();
    }
    book.setActiveSheet(1);
}

std::optional<workbook::Workbook>
AnnualReportWorkbook(db::Connection& connection, shell::UserInteraction& ui, double unitCode) {
    std::optional<workbook::Workbook> book;
    try {
        book.emplace(workbook::Workbook::open(PrintTemplatePath()));
    } catch (const workbook::WorkbookError&) {
        ui.showMessage(kTemplateUnavailable, shell::MessageKind::Error);
        return std::nullopt;
    }
    try {
        FillAnnualReport(*book, connection, ui, unitCode);
    } catch (const AnnualReportError& e) {
        ui.showRuntimeError(e.text());
        return std::nullopt;
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e));
        return std::nullopt;
    }
    return book;
}

QString PrintAnnualReport(db::Connection& connection, shell::UserInteraction& ui, double unitCode) {
    const std::optional<workbook::Workbook> book = AnnualReportWorkbook(connection, ui, unitCode);
    if (!book)
        return QString();
    return shell::HandOverWorkbook(*book, kAnnualReportPrefix, UnitCodeText(unitCode), ui);
}

} // namespace kestrune::exchange
