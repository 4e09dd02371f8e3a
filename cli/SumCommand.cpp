#include "SumCommand.h"

#include "ExitCodes.h"
#include "schema/Connection.h"
#include "shell/Startup.h"
#include "sum/SumTableList.h"
#include "sum/SummaryJob.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace kestrune::cli {

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitNothing = 1;

const QString kUsage = QStringLiteral(
    "用法：kestrune-cli sum --by level|state|group:分组编号 [--sheets N,N,... | --all] "
    "--out 文件.xlsx");

struct SumRequest {
    sum::Breakdown breakdown = sum::Breakdown::Level;
    qint64 groupId = 0;
    std::vector<int> sheets;
    QString out;
};

std::optional<SumRequest> parse(const QStringList& arguments) {
    static const QRegularExpression group(QStringLiteral("^group:([0-9]{1,12})$"));
    static const QRegularExpression sheetList(QStringLiteral("^[0-9]{1,2}(,[0-9]{1,2})*$"));
    SumRequest request;
    bool byGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("--by") && hasValue) {
            const QString by = arguments[++i];
            const QRegularExpressionMatch m = group.match(by);
            if (by == QLatin1String("level"))
                request.breakdown = sum::Breakdown::Level;
            else if (by == QLatin1String("state"))
                request.breakdown = sum::Breakdown::State;
            else if (m.hasMatch()) {
                request.breakdown = sum::Breakdown::Group;
                request.groupId = m.captured(1).toLongLong();
            } else
                return std::nullopt;
            byGiven = true;
        } else if (a == QLatin1String("--sheets") && hasValue && request.sheets.empty()) {
            const QString list = arguments[++i];
            if (!sheetList.match(list).hasMatch())
                return std::nullopt;
            for (const QString& n : list.split(QLatin1Char(','))) {
                const int sheet = n.toInt();
                if (sheet < 1 || sheet > 25)
                    return std::nullopt;
                request.sheets.push_back(sheet);
            }
        } else if (a == QLatin1String("--all") && request.sheets.empty()) {
            for (int sheet = 1; sheet <= 25; ++sheet)
                request.sheets.push_back(sheet);
        } else if (a == QLatin1String("--out") && hasValue) {
            request.out = arguments[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!byGiven || request.out.isEmpty())
        return std::nullopt;
    if (request.sheets.empty())
        for (int sheet = 1; sheet <= 25; ++sheet)
            request.sheets.push_back(sheet);
    std::sort(request.sheets.begin(), request.sheets.end());
    request.sheets.erase(std::unique(request.sheets.begin(), request.sheets.end()),
                         request.sheets.end());
    return request;
}

} // namespace

int runSum(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    const std::optional<SumRequest> request = parse(arguments);
    if (!request) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    if (sum::ChooseSummation(request->sheets) == sum::SumChoice::CoverOnly) {
        ui.showMessage(sum::kCoverOnlyMessage, shell::MessageKind::Warning);
        return kExitNothing;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    db::Connection& connection = session.database.connection();
    if (request->breakdown == sum::Breakdown::Group &&
        connection
                .scalar(QStringLiteral("select count(*) from ct_group where id=?"),
                        {request->groupId})
                .toLongLong() == 0) {
        ui.showMessage(QStringLiteral("没有编号为%1的分组").arg(request->groupId),
                       shell::MessageKind::Error);
        return kExitFailed;
    }
    std::optional<workbook::Workbook> book = sum::SummaryWorkbook(
        connection, ui, request->breakdown, request->groupId, request->sheets, true);
    if (!book)
        return kExitFailed;
    try {
        book->save(request->out);
    } catch (const workbook::WorkbookError& e) {
        ui.showRuntimeError(e.text());
        return kExitFailed;
    }
    out << "汇总表：" << QDir::toNativeSeparators(request->out) << '\n';
    out.flush();
    return kExitWritten;
}

} // namespace kestrune::cli
