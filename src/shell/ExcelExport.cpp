#include "ExcelExport.h"

#include "FailureReason.h"
#include "Settings.h"
#include "UserInteraction.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"
#include "workbook/StreamedWorkbook.h"

#include <QDateTime>
#include <QDir>

namespace kestrune::shell {

namespace {

// Rows written between two looks at the progress window.
constexpr int kRowsPerStep = 256;
constexpr int kDateRow = 2;
constexpr int kHeadingRow = 3;
constexpr int kFirstDataRow = 5;

const QString kDateFormat = QStringLiteral("yyyy-mm");
const QString kTextFormat = QStringLiteral("@");
const QString kMoneyFormat = QStringLiteral("￥#,##0.00;￥-#,##0.00");
const QString kWholeFormat = QStringLiteral("#,##0_ ");

QString formatOf(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Date:
    case ColumnKind::DateTime:
        return kDateFormat;
    case ColumnKind::Text:
    case ColumnKind::Boolean:
    case ColumnKind::Time:
    case ColumnKind::Bytes:
        return kTextFormat;
    case ColumnKind::Decimal:
        return kMoneyFormat;
    case ColumnKind::Integer:
        return kWholeFormat;
    case ColumnKind::LargeInteger:
    case ColumnKind::Other:
        break;
    }
    return {};
}

// A spreadsheet's day number: days since 1899-12-30, the time as a fraction.
std::optional<double> daySerial(const QString& text) {
    QDateTime moment = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!moment.isValid()) {
        const QDate day = QDate::fromString(text.trimmed(), Qt::ISODate);
        if (!day.isValid())
            return std::nullopt;
        moment = QDateTime(day, QTime(0, 0));
    }
    const QDate origin(1899, 12, 30);
    return double(origin.daysTo(moment.date())) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

QString textOf(const db::StoredValue& value) {
    switch (value.kind()) {
    case db::StoredValue::Kind::Null:
        return {};
    case db::StoredValue::Kind::Integer:
        return QString::number(value.toInt64());
    case db::StoredValue::Kind::Real:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return QString::fromUtf8(value.utf8());
    }
}

} // namespace

QString ExcelTargetName(const QString& chosen) {
    if (chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".xlsx");
}

QString ProposedExportName(const QString& name, const QDate& today) {
    return name + QLatin1Char('-') + today.toString(QStringLiteral("yyyy-MM-dd"));
}

ExcelExportJob::ExcelExportJob(const ExportQuery& query, const QString& name,
                               const TFieldDataArray& descriptors, const QString& path,
                               const QDate& today, UserInteraction* captions)
    : query_(query), name_(name), descriptors_(descriptors), path_(path), today_(today),
      captions_(captions) {}

ExcelExportJob::~ExcelExportJob() = default;

void ExcelExportJob::start() {
    total_ = CountQueryRows(query_);
    rows_ = std::make_unique<db::Statement>(*query_.connection, query_.sql);
    rows_->bindAll(query_.params);
    for (const TFieldData& field : descriptors_) {
        if (!field.QueryShow)
            continue;
        Column column;
        column.source = -1;
        for (int i = 0; i < rows_->columnCount(); ++i) {
            if (rows_->columnName(i).compare(field.ShowName, Qt::CaseInsensitive) == 0) {
                column.source = i;
                break;
            }
        }
        if (column.source < 0)
            throw db::EngineError(QStringLiteral("查询结果中没有字段") + field.ShowName);
        column.kind = ColumnKindOf(rows_->declaredType(column.source));
        column.cid = field.ShowName.compare(QLatin1String("cid"), Qt::CaseInsensitive) == 0;
        columns_.push_back(column);
    }
    book_ = std::make_unique<workbook::StreamedWorkbook>(path_, name_);
    writeHead();
}

void ExcelExportJob::writeHead() {
    book_->writeText(kDateRow, 1, QStringLiteral("导出日期:"), {QString(), true, 12});
    book_->writeText(kDateRow, 2, today_.toString(QStringLiteral("yyyy-MM-dd")), {kTextFormat});
    int column = 0;
    for (const TFieldData& field : descriptors_) {
        if (field.QueryShow)
            book_->writeText(kHeadingRow, ++column, field.Hint);
    }
    for (size_t i = 0; i < columns_.size(); ++i)
        book_->setColumnFormat(int(i) + 1, formatOf(columns_[i].kind));
    book_->fitColumns(1, int(descriptors_.size()));
}

void ExcelExportJob::writeRow(int row) {
    for (size_t i = 0; i < columns_.size(); ++i) {
        const Column& column = columns_[i];
        const int at = int(i) + 1;
        const db::StoredValue value = rows_->stored(column.source);
        const auto kind = value.kind();
        if (column.kind == ColumnKind::Boolean) {
            book_->writeText(row, at,
                             value.toNumber() != 0 ? QStringLiteral("是") : QStringLiteral("不是"));
            continue;
        }
        if (kind == db::StoredValue::Kind::Null)
            continue;
        if (column.cid) {
            book_->writeText(row, at, textOf(value));
            continue;
        }
        switch (column.kind) {
        case ColumnKind::Date:
        case ColumnKind::DateTime:
            if (kind == db::StoredValue::Kind::Text) {
                const QString text = textOf(value);
                if (const auto serial = daySerial(text))
                    book_->writeNumber(row, at, *serial);
                else if (!text.trimmed().isEmpty())
                    book_->writeText(row, at, text);
            } else {
                book_->writeNumber(row, at, value.toDouble());
            }
            break;
        case ColumnKind::Text:
        case ColumnKind::Time:
        case ColumnKind::Bytes: {
            const QString text = textOf(value);
            if (!text.isEmpty())
                book_->writeText(row, at, text);
            break;
        }
        default:
            // A number lands as a number; a text that reads as one too, as
            // a spreadsheet takes a typed value.
            if (kind == db::StoredValue::Kind::Integer || kind == db::StoredValue::Kind::Real) {
                book_->writeNumber(row, at, value.toDouble());
            } else {
                const QString text = textOf(value);
                bool isNumber = false;
                const double number = text.trimmed().toDouble(&isNumber);
                if (isNumber)
                    book_->writeNumber(row, at, number);
                else if (!text.isEmpty())
                    book_->writeText(row, at, text);
            }
        }
    }
}

bool ExcelExportJob::step() {
    for (int n = 0; n < kRowsPerStep; ++n) {
        if (!rows_->step()) {
            book_->finish();
            rows_.reset();
            showCaption();
            return false;
        }
        writeRow(int(done_) + kFirstDataRow);
        ++done_;
    }
    showCaption();
    return true;
}

void ExcelExportJob::showCaption() {
    captions_.show(done_, total_);
}

void ExcelExportJob::stop() {
    rows_.reset();
    book_.reset(); // an unfinished workbook leaves no file
}

qint64 ExcelExportJob::cellsWritten() const {
    return book_ ? book_->cellsWritten() : 0;
}

bool WriteQueryWorkbook(const ExportQuery& query, const QString& name,
                        const TFieldDataArray& descriptors, const QString& path,
                        UserInteraction& ui, const QDate& today) {
    ExcelExportJob job(query, name, descriptors, path, today, &ui);
    try {
        RunJobToEnd(job, ui, true);
    } catch (const workbook::WorkbookError& e) {
        job.stop();
        ui.showRuntimeError(e.text(), kExportErrorAdvice);
        return false;
    } catch (const db::EngineError& e) {
        job.stop();
        ui.showRuntimeError(FailureReason(e), kExportErrorAdvice);
        return false;
    }
    ui.showMessage(kExcelSavedPrefix + path);
    return true;
}

QString ChooseExportTarget(const QString& name, const QString& filter, UserInteraction& ui) {
    FileDialogRequest request;
    request.title = kExportDialogTitle;
    request.filter = filter;
    request.initialFolder = documentsFolder();
    QDir().mkpath(request.initialFolder);
    request.proposedName = ProposedExportName(name, QDate::currentDate());
    request.confirmOverwrite = true;
    const QString chosen = ui.chooseSaveFile(request);
    return chosen.trimmed().isEmpty() ? QString() : chosen;
}

bool SaveQueryAsExcel(const ExportQuery& query, const QString& name,
                      const TFieldDataArray& descriptors, UserInteraction& ui) {
    if (CountQueryRows(query) == 0) {
        ui.showMessage(kExcelEmptyMessage);
        return false;
    }
    const QString chosen = ChooseExportTarget(name, kExcelFilter, ui);
    if (chosen.isEmpty())
        return false;
    return WriteQueryWorkbook(query, name, descriptors, ExcelTargetName(chosen), ui);
}

} // namespace kestrune::shell
