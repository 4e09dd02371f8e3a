#include "GenerateCommand.h"

#include "ExitCodes.h"
#include "RecordGenerator.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/Startup.h"

#include <QRandomGenerator>
#include <optional>

namespace kestrune::cli {

namespace {

// Unit codes are drawn per region; far below this many records a run stays
// quick and the codes plentiful.
constexpr int kMostRecords = 1'000'000;

struct GenerateOptions {
    int count = 0;
    quint64 seed = 0;
};

const QString kUsage = QStringLiteral("用法：generate --count 记录数 [--seed 随机种子]");

// The options, or the reason they are wrong.
std::optional<GenerateOptions> parseOptions(const QStringList& arguments, QString& error) {
    GenerateOptions options;
    bool haveCount = false;
    bool haveSeed = false;
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        if (name != QLatin1String("--count") && name != QLatin1String("--seed")) {
            error = QStringLiteral("未知的参数：") + name;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = name + QStringLiteral(" 后面缺少数值");
            return std::nullopt;
        }
        bool ok = false;
        if (name == QLatin1String("--count")) {
            options.count = arguments[i + 1].toInt(&ok);
            if (!ok || options.count < 1 || options.count > kMostRecords) {
                error = QStringLiteral("记录数必须是 1 到 %1 之间的整数").arg(kMostRecords);
                return std::nullopt;
            }
            haveCount = true;
        } else {
            options.seed = arguments[i + 1].toULongLong(&ok);
            if (!ok) {
                error = QStringLiteral("随机种子必须是非负整数");
                return std::nullopt;
            }
            haveSeed = true;
        }
    }
    if (!haveCount) {
        error = QStringLiteral("必须用 --count 给出记录数");
        return std::nullopt;
    }
    if (!haveSeed)
        options.seed = QRandomGenerator::global()->generate64();
    return options;
}

} // namespace

int runGenerate(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    QString error;
    const std::optional<GenerateOptions> options = parseOptions(arguments, error);
    if (!options) {
        ui.showMessage(error + QLatin1Char('\n') + kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    try {
        const GeneratedRecords added =
            generateRecords(session.database.connection(), options->count, options->seed);
        out << "已添加 " << added.unitCodes.size() << " 条记录（随机种子 " << options->seed
            << "）\n";
        out.flush();
        return 0;
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(shell::FailureReason(e));
        return kExitFailed;
    }
}

} // namespace kestrune::cli
