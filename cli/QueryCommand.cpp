#include "QueryCommand.h"

#include "ExitCodes.h"
#include "query/IndicatorCondition.h"
#include "schema/Connection.h"
#include "schema/Statement.h"
#include "shell/AccessExport.h"
#include "shell/ExcelExport.h"
#include "shell/QueryResults.h"
#include "shell/RecordColumns.h"
#include "shell/Startup.h"

#include <optional>

namespace kestrune::cli {

namespace {

constexpr int kExitFound = 0;
constexpr int kExitNothing = 1;

const QString kUsage =
    QStringLiteral("用法：kestrune-cli query 指标 比较符 数值 [比较符 数值] "
                   "[--out 文件.xlsx | --out-db 文件.mdb]（比较符：= > < >= <=）");

struct Arguments {
    query::IndicatorRange range;
    QString workbook;
    QString database;
};

int operatorCode(const QString& text) {
    const int code = shell::NameToCode(query::QueryOperators(), text);
    return code == 0 ? query::kNoOperator : code;
}

std::optional<Arguments> parse(const QStringList& arguments) {
    Arguments parsed;
    QStringList words;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if ((word == QLatin1String("--out") || word == QLatin1String("--out-db")) &&
            i + 1 < arguments.size() && parsed.workbook.isEmpty() && parsed.database.isEmpty()) {
            (word == QLatin1String("--out") ? parsed.workbook : parsed.database) = arguments[++i];
        } else if (word.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            words << word;
        }
    }
    if (words.size() != 3 && words.size() != 5)
        return std::nullopt;
    parsed.range.field = words[0];
    parsed.range.firstOperator = operatorCode(words[1]);
    parsed.range.firstNumber = words[2];
    if (words.size() == 5) {
        parsed.range.secondOperator = operatorCode(words[3]);
        parsed.range.secondNumber = words[4];
    }
    if (parsed.range.firstOperator == query::kNoOperator ||
        (words.size() == 5 && parsed.range.secondOperator == query::kNoOperator))
        return std::nullopt;
    return parsed;
}

// The list columns as the result list shows them, the first titled with its sort mark.
shell::TFieldDataArray listDescriptors(db::Connection& connection,
                                       const shell::ExportQuery& listQuery) {
    const shell::TFieldDataArray columns =
        shell::VisibleColumns(shell::ReadFieldCatalogue(connection));
    QStringList titles;
    for (const shell::TFieldData& field : columns)
        titles << field.Hint;
    return shell::ResultListDescriptors(listQuery, columns, titles);
}

} // namespace

int runQuery(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    const std::optional<Arguments> parsed = parse(arguments);
    if (!parsed) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    const auto built = query::BuildIndicatorCondition(parsed->range);
    if (const auto* refusal = std::get_if<query::ConditionRefusal>(&built)) {
        ui.showMessage(refusal->message, shell::MessageKind::Warning);
        return kExitFailed;
    }
    const shell::ResultCondition& condition = std::get<query::IndicatorCondition>(built).statement;
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    db::Connection& connection = session.database.connection();
    const shell::ExportQuery list = shell::ResultListQuery(connection, condition);
    const qint64 found = shell::CountQueryRows(list);

    if (!parsed->workbook.isEmpty() || !parsed->database.isEmpty()) {
        if (found == 0) {
            ui.showMessage(parsed->workbook.isEmpty() ? shell::kAccessEmptyMessage
                                                      : shell::kExcelEmptyMessage,
                           shell::MessageKind::Information);
            return kExitNothing;
        }
        QString target;
        bool written = false;
        if (!parsed->workbook.isEmpty()) {
            target = shell::ExcelTargetName(parsed->workbook);
            written = shell::WriteQueryWorkbook(list, shell::kQueryResultName,
                                                listDescriptors(connection, list), target, ui);
        } else {
            target = shell::AccessTargetName(parsed->database);
            written = shell::WriteQueryDatabase(shell::ResultDetailQuery(connection, condition),
                                                std::nullopt, shell::kQueryResultName, target, ui);
        }
        if (!written)
            return kExitFailed;
        out << target << '\n';
        out.flush();
        return kExitFound;
    }

    out << QStringLiteral("符合条件的数据总数：%1").arg(found) << '\n';
    connection.forEachRow(QStringLiteral("select c901 from %1 %2 order by c901 asc")
                              .arg(shell::ResultSourceView(condition.text), condition.text),
                          condition.values, [&out](const db::Statement& row) {
                              out << QString::number(row.doubleValue(0), 'f', 0) << '\n';
                          });
    out.flush();
    return found > 0 ? kExitFound : kExitNothing;
}

} // namespace kestrune::cli
