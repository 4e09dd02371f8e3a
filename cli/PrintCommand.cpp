#include "PrintCommand.h"

#include "ExitCodes.h"
#include "exchange/AnnualReport.h"
#include "shell/Startup.h"

#include <QDir>
#include <QRegularExpression>

namespace kestrune::cli {

namespace {

constexpr int kExitWritten = 0;

const QString kUsage = QStringLiteral("用法：kestrune-cli print 统计编码 --out 文件.xlsx");

} // namespace

int runPrint(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,15}$"));
    if (arguments.size() != 3 || !digits.match(arguments[0]).hasMatch() ||
        arguments[1] != QLatin1String("--out") || arguments[2].isEmpty()) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    const std::optional<workbook::Workbook> book =
        exchange::AnnualReportWorkbook(session.database.connection(), ui, arguments[0].toDouble());
    if (!book)
        return kExitFailed;
    try {
        book->save(arguments[2]);
    } catch (const workbook::WorkbookError& e) {
        ui.showRuntimeError(e.text());
        return kExitFailed;
    }
    out << "年报表：" << QDir::toNativeSeparators(arguments[2]) << '\n';
    out.flush();
    return kExitWritten;
}

} // namespace kestrune::cli
