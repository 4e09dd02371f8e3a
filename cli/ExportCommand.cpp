#include "ExportCommand.h"

#include "ExitCodes.h"
#include "exchange/OfflineExport.h"
#include "exchange/OnlineExport.h"
#include "exchange/UploadRules.h"
#include "shell/Startup.h"

#include <optional>

namespace kestrune::cli {

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitRefused = 1;

const QString kUsage =
    QStringLiteral("用法：kestrune-cli export --offline --label 单位名称 --out 文件.dat\n"
                   "      kestrune-cli export --online --out 文件.dat");

struct Arguments {
    bool offline = false;
    std::optional<QString> label;
    QString out;
};

std::optional<Arguments> parse(const QStringList& arguments) {
    Arguments parsed;
    std::optional<bool> offline;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if ((option == QLatin1String("--offline") || option == QLatin1String("--online")) &&
            !offline) {
            offline = option == QLatin1String("--offline");
        } else if (option == QLatin1String("--label") && i + 1 < arguments.size()) {
            parsed.label = arguments[++i];
        } else if (option == QLatin1String("--out") && i + 1 < arguments.size()) {
            parsed.out = arguments[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!offline || parsed.out.trimmed().isEmpty() || (*offline != parsed.label.has_value()))
        return std::nullopt;
    parsed.offline = *offline;
    return parsed;
}

} // namespace

int runExport(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    const std::optional<Arguments> parsed = parse(arguments);
    if (!parsed) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    if (parsed->offline && *parsed->label == exchange::kDefaultLabel) {
        ui.showMessage(exchange::kDefaultLabelRefused, shell::MessageKind::Error);
        return kExitRefused;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    shell::SurveyDatabase& database = session.database;
    if (exchange::CountUnreportableRecords(database.connection()) > 0) {
        ui.showMessage(parsed->offline ? exchange::kOfflineRefusal : exchange::kOnlineRefusal,
                       shell::MessageKind::Error);
        return kExitRefused;
    }
    const QString target = exchange::UploadTargetName(parsed->out);
    const bool written =
        parsed->offline
            ? exchange::WriteOfflineFile(database.currentPath(), *parsed->label, target, ui)
            : exchange::WriteOnlineFile(database.connection(), target, ui);
    if (!written)
        return kExitFailed;
    out << target << '\n';
    out.flush();
    return kExitWritten;
}

} // namespace kestrune::cli
