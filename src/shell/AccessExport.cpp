#include "AccessExport.h"

#include "ExcelExport.h"
#include "FailureReason.h"
#include "Settings.h"
#include "UserInteraction.h"
#include "schema/Connection.h"
#include "schema/DatabaseFiles.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <vector>

namespace kestrune::shell {

namespace {

constexpr int kRowsPerStep = 256;

QString columnType(ColumnKind kind, const QString& declared) {
    switch (kind) {
    case ColumnKind::Text:
        return QStringLiteral("VARCHAR(%1)").arg(DeclaredTextSize(declared));
    case ColumnKind::Integer:
    case ColumnKind::LargeInteger:
    case ColumnKind::Boolean:
        return QStringLiteral("INTEGER");
    case ColumnKind::Decimal:
        return QStringLiteral("DOUBLE");
    case ColumnKind::Date:
    case ColumnKind::DateTime:
    case ColumnKind::Time:
        return QStringLiteral("DATE");
    case ColumnKind::Bytes:
        return QStringLiteral("BLOB");
    case ColumnKind::Other:
        break;
    }
    return QStringLiteral("VARCHAR(255)");
}

enum class ValueRule { Text, DateOrNull, NumberOrZero };

ValueRule ruleOf(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Date:
    case ColumnKind::DateTime:
    case ColumnKind::Time:
        return ValueRule::DateOrNull;
    case ColumnKind::Integer:
    case ColumnKind::LargeInteger:
    case ColumnKind::Boolean:
    case ColumnKind::Decimal:
        return ValueRule::NumberOrZero;
    default:
        return ValueRule::Text;
    }
}

QString bracketed(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

bool isBlank(const db::StoredValue& value) {
    return value.kind() == db::StoredValue::Kind::Null ||
           (value.kind() == db::StoredValue::Kind::Text &&
            QString::fromUtf8(value.utf8()).trimmed().isEmpty());
}

} // namespace

QString AccessTargetName(const QString& chosen) {
    if (chosen.size() > 4 && !chosen.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return chosen + QStringLiteral(".mdb");
    return chosen;
}

QString AccessSavedMessage(const QString& file) {
    return QStringLiteral("Access文件已经正确导出到：'") + file + QStringLiteral("'！");
}

// One query being copied into its table.
struct AccessExportJob::Copy {
    std::unique_ptr<db::Statement> source;
    std::unique_ptr<db::Statement> insert;
    std::vector<ValueRule> rules;
};

AccessExportJob::AccessExportJob(const ExportQuery& query, std::optional<ExportQuery> detail,
                                 const QString& name, const QString& file,
                                 UserInteraction* captions)
    : query_(query), detail_(std::move(detail)), name_(name), file_(file), captions_(captions) {}

AccessExportJob::~AccessExportJob() {
    stop();
}

void AccessExportJob::run(const QString& sql) {
    statement_ = sql;
    target_->execute(sql);
}

void AccessExportJob::beginCopy(const ExportQuery& query, const QString& table) {
    auto copy = std::make_unique<Copy>();
    statement_ = query.sql;
    copy->source = std::make_unique<db::Statement>(*query.connection, query.sql);
    copy->source->bindAll(query.params);
    QStringList definitions, names, slots;
    for (int i = 0; i < copy->source->columnCount(); ++i) {
        const QString declared = copy->source->declaredType(i);
        const ColumnKind kind = ColumnKindOf(declared);
        definitions << bracketed(copy->source->columnName(i)) + QLatin1Char(' ') +
                           columnType(kind, declared);
        names << bracketed(copy->source->columnName(i));
        slots << QStringLiteral("?");
        copy->rules.push_back(ruleOf(kind));
    }
    run(QStringLiteral("Create Table ") + table + QLatin1Char('(') +
        definitions.join(QLatin1Char(',')) + QLatin1Char(')'));
    statement_ = QStringLiteral("INSERT INTO ") + table + QStringLiteral("  (") +
                 names.join(QLatin1Char(',')) + QStringLiteral(") Values(") +
                 slots.join(QLatin1Char(',')) + QLatin1Char(')');
    copy->insert = std::make_unique<db::Statement>(*target_, statement_);
    copy_ = std::move(copy);
}

void AccessExportJob::start() {
    statement_ = query_.sql;
    total_ = CountQueryRows(query_);
    if (!QFileInfo::exists(file_))
        db::createDatabase(file_);
    target_ = std::make_unique<db::Connection>();
    target_->open(file_);
    bool hasMain = false, hasDetail = false;
    for (const QString& table : target_->tableNames()) {
        hasMain = hasMain || table.compare(name_, Qt::CaseInsensitive) == 0;
        hasDetail = hasDetail || table.compare(name_ + QLatin1Char('1'), Qt::CaseInsensitive) == 0;
    }
    target_->begin();
    if (hasMain)
        run(QStringLiteral("drop table ") + name_);
    beginCopy(query_, name_);
    const QString insert = statement_;
    if (hasDetail)
        run(QStringLiteral("drop table ") + name_ + QLatin1Char('1'));
    statement_ = insert;
}

bool AccessExportJob::step() {
    for (int n = 0; n < kRowsPerStep; ++n) {
        if (!copy_->source->step()) {
            if (detail_ && !detailDone_) {
                detailDone_ = true;
                beginCopy(*detail_, name_ + QLatin1Char('1'));
                return true;
            }
            copy_.reset();
            statement_ = QStringLiteral("commit");
            target_->commit();
            target_.reset();
            showCaption();
            return false;
        }
        const db::Statement& row = *copy_->source;
        db::Statement& insert = *copy_->insert;
        for (size_t i = 0; i < copy_->rules.size(); ++i) {
            const int slot = int(i) + 1;
            const db::StoredValue value = row.stored(int(i));
            switch (copy_->rules[i]) {
            case ValueRule::NumberOrZero:
                if (isBlank(value))
                    insert.bindInteger(slot, 0);
                else if (value.kind() == db::StoredValue::Kind::Integer)
                    insert.bindInteger(slot, value.toInt64());
                else
                    insert.bindReal(slot, value.toNumber());
                break;
            case ValueRule::DateOrNull:
                if (isBlank(value))
                    insert.bindNull(slot);
                else
                    insert.bind(slot, row.value(int(i)));
                break;
            case ValueRule::Text:
                insert.bindText(slot, row.text(int(i)));
                break;
            }
        }
        insert.execute();
        if (!detailDone_)
            ++done_;
    }
    showCaption();
    return true;
}

void AccessExportJob::showCaption() {
    captions_.show(done_, total_);
}

void AccessExportJob::stop() {
    copy_.reset();
    if (target_ && target_->inTransaction())
        target_->rollback();
    target_.reset();
}

bool WriteQueryDatabase(const ExportQuery& query, const std::optional<ExportQuery>& detail,
                        const QString& name, const QString& file, UserInteraction& ui) {
    AccessExportJob job(query, detail, name, file, &ui);
    try {
        RunJobToEnd(job, ui, true);
    } catch (const db::EngineError& e) {
        const QString statement = job.lastStatement();
        job.stop();
        ui.showRuntimeError(FailureReason(e), kExportErrorAdvice);
        ui.showMessage(statement);
        return false;
    }
    ui.showMessage(AccessSavedMessage(file));
    return true;
}

bool SaveQueryAsAccess(const ExportQuery& query, const std::optional<ExportQuery>& detail,
                       const QString& name, UserInteraction& ui) {
    if (CountQueryRows(query) == 0) {
        ui.showMessage(kAccessEmptyMessage);
        ui.progressFinish();
        return false;
    }
    const QString chosen = ChooseExportTarget(name, kAccessFilter, ui);
    if (chosen.isEmpty())
        return false;
    return WriteQueryDatabase(query, detail, name, AccessTargetName(chosen), ui);
}

} // namespace kestrune::shell
