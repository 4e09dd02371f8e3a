#include "ImportCommand.h"

#include "exchange/ImportData.h"
#include "shell/Startup.h"

#include <QDir>

namespace kestrune::cli {

namespace {

constexpr int kExitImported = 0;
constexpr int kExitNotAll = 1;
constexpr int kExitUnreadable = 2;

const QString kUsage = QStringLiteral("用法：kestrune-cli import 文件... [--keep-clean] [--yes]");

int exitCodeOf(const exchange::ImportResult& result) {
    switch (result.outcome) {
    case exchange::ImportOutcome::Imported:
        return kExitImported;
    case exchange::ImportOutcome::Refused:
    case exchange::ImportOutcome::Cancelled:
        return kExitUnreadable;
    case exchange::ImportOutcome::Declined:
    case exchange::ImportOutcome::PartlyImported:
    case exchange::ImportOutcome::Conflicts:
    case exchange::ImportOutcome::Failed:
        break;
    }
    return kExitNotAll;
}

} // namespace

int runImport(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    QStringList files;
    bool wrongArgument = false;
    auto principle = exchange::ImportPrinciple::AbandonAllOnError;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--keep-clean"))
            principle = exchange::ImportPrinciple::AbandonFaultyOnly;
        else if (argument == QLatin1String("--yes"))
            ui.setAssumeYes(true);
        else if (argument.startsWith(QLatin1String("--")) || argument.isEmpty())
            wrongArgument = true;
        else
            files << argument;
    }
    if (files.isEmpty() || wrongArgument) {
        ui.showMessage(kUsage, shell::MessageKind::Error);
        return kExitUnreadable;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitUnreadable;
    const exchange::ImportResult result =
        exchange::ImportDataFiles(session.database.connection(), ui, files, principle);
    out << "导入记录：" << result.imported << '\n';
    if (result.leftOut > 0)
        out << "未导入记录：" << result.leftOut << '\n';
    if (!result.reportPath.isEmpty())
        out << "编号冲突报告：" << QDir::toNativeSeparators(result.reportPath) << '\n';
    out.flush();
    return exitCodeOf(result);
}

} // namespace kestrune::cli
