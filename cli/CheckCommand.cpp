#include "CheckCommand.h"

#include "ExitCodes.h"
#include "check/LogicCheckRun.h"
#include "check/ReportFileError.h"
#include "check/RuleExplainer.h"
#include "schema/EngineError.h"
#include "shell/Startup.h"

#include <QRegularExpression>
#include <optional>

namespace kestrune::cli {

namespace {

constexpr int kExitClean = 0;
constexpr int kExitLogicErrors = 1;

const QString kUsage = QStringLiteral(
    "用法：kestrune-cli check --all | --range 起始编号 终止编号 | --codes 编号,编号,...");

bool isDigits(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

// The selection the arguments name; nothing when they name none, after the
// person has been told why.
std::optional<check::CheckSelection> parseSelection(const QStringList& arguments,
                                                    shell::UserInteraction& ui) {
    const QString mode = arguments.value(0);
    if (mode == QLatin1String("--all") && arguments.size() == 1)
        return check::CheckSelection::allRecords();
    if (mode == QLatin1String("--range") && arguments.size() == 3 && isDigits(arguments[1]) &&
        isDigits(arguments[2])) {
        auto range = check::CheckSelection::unitRangeFromTexts(arguments[1], arguments[2]);
        if (!range)
            ui.showMessage(check::kMissingRangeMessage, shell::MessageKind::Error);
        return range;
    }
    if (mode == QLatin1String("--codes") && arguments.size() == 2) {
        QList<double> codes;
        for (const QString& code : arguments[1].split(QLatin1Char(','))) {
            if (!isDigits(code)) {
                codes.clear();
                break;
            }
            codes << code.toDouble();
        }
        if (!codes.isEmpty())
            return check::CheckSelection::unitCodes(codes);
    }
    ui.showMessage(kUsage, shell::MessageKind::Error);
    return std::nullopt;
}

} // namespace

int runCheck(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    const auto selection = parseSelection(arguments, ui);
    if (!selection)
        return kExitFailed;
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    db::Connection& connection = session.database.connection();
    check::RuleExplainer explainer(connection, ui);
    check::CheckOutcome outcome;
    try {
        outcome = check::RunLogicCheck(connection, explainer, ui, *selection,
                                       session.database.label(), true);
    } catch (const std::runtime_error& e) {
        ui.showRuntimeError(QString::fromUtf8(e.what()), QStringLiteral(",请与软件发行者联系。"));
        return kExitFailed;
    }
    out << "检查结果：" << outcome.reportPath << '\n'
        << "检查的单位：" << outcome.checked << '\n'
        << "有逻辑错误的单位：" << outcome.failedUnits << '\n'
        << "逻辑错误项：" << outcome.failedItems << '\n';
    out.flush();
    return outcome.failedUnits > 0 ? kExitLogicErrors : kExitClean;
}

} // namespace kestrune::cli
