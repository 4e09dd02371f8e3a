#include "ExportListCommand.h"

#include "ExitCodes.h"
#include "shell/ExcelExport.h"
#include "shell/ExportTableList.h"
#include "shell/ListExport.h"
#include "shell/ProgramFolder.h"
#include "shell/Startup.h"

#include <QDir>
#include <optional>

namespace kestrune::cli {

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitNothing = 1;

const QString kUsage = QStringLiteral(
    "用法：kestrune-cli export-list [--range 起始编号 终止编号 | --group-item 分组编号] "
    "[--tables all|序号,序号,...] --out 文件.xlsx");

struct Arguments {
    shell::ListExportRequest request;
    std::optional<qint64> groupItem;
    QString tables; // empty: as the installed list has them
    QString out;
};

std::optional<Arguments> parse(const QStringList& arguments) {
    Arguments parsed;
    bool chosen = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const auto value = [&](int offset) {
            return arguments.value(i + offset);
        };
        if (option == QLatin1String("--range") && !chosen && i + 2 < arguments.size()) {
            parsed.request.choice = shell::ListExportChoice::UnitRange;
            parsed.request.fromText = value(1);
            parsed.request.toText = value(2);
            chosen = true;
            i += 2;
        } else if (option == QLatin1String("--group-item") && !chosen && i + 1 < arguments.size()) {
            bool ok = false;
            parsed.groupItem = value(1).toLongLong(&ok);
            if (!ok)
                return std::nullopt;
            parsed.request.choice = shell::ListExportChoice::Group;
            chosen = true;
            ++i;
        } else if (option == QLatin1String("--tables") && i + 1 < arguments.size()) {
            parsed.tables = value(1);
            ++i;
        } else if (option == QLatin1String("--out") && i + 1 < arguments.size()) {
            parsed.out = value(1);
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.out.trimmed().isEmpty())
        return std::nullopt;
    return parsed;
}

// The installed list's check marks, or those the arguments name.
std::optional<std::vector<shell::ExportTable>> chooseTables(const QString& wanted) {
    std::vector<shell::ExportTable> tables =
        shell::ReadExportTables(QDir(shell::programFolder()).filePath(shell::kExportTableFileName));
    if (wanted.isEmpty())
        return tables;
    for (shell::ExportTable& table : tables)
        table.checked = wanted == QLatin1String("all");
    if (wanted == QLatin1String("all"))
        return tables;
    for (const QString& number : wanted.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = number.toInt(&ok);
        if (!ok || n < 1 || n > int(tables.size()))
            return std::nullopt;
        tables[size_t(n - 1)].checked = true;
    }
    return tables;
}

} // namespace

int runExportList(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    auto parsed = parse(arguments);
    const auto tables = parsed ? chooseTables(parsed->tables) : std::nullopt;
    if (!parsed || !tables) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    db::Connection& connection = session.database.connection();
    if (parsed->groupItem)
        parsed->request.group = shell::ReadGroupItem(connection, *parsed->groupItem);
    const auto prepared = shell::PrepareListExport(connection, *tables, parsed->request, ui);
    if (!prepared)
        return kExitFailed;
    if (shell::CountQueryRows(prepared->query) == 0) {
        ui.showMessage(shell::kExcelEmptyMessage, shell::MessageKind::Information);
        return kExitNothing;
    }
    const QString target = shell::ExcelTargetName(parsed->out);
    if (!shell::WriteQueryWorkbook(prepared->query, shell::ListExportName(session.database.label()),
                                   prepared->descriptors, target, ui))
        return kExitFailed;
    out << target << '\n';
    out.flush();
    return kExitWritten;
}

} // namespace kestrune::cli
