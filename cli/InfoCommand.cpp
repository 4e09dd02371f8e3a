#include "CliCommand.h"
#include "ExitCodes.h"
#include "shell/Startup.h"

namespace kestrune::cli {

int runInfo(const QStringList& arguments, shell::ConsoleInteraction& ui, QTextStream& out) {
    if (!arguments.isEmpty()) {
        ui.showMessage(QStringLiteral("info 不需要参数"), shell::MessageKind::Error);
        return kExitFailed;
    }
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return kExitFailed;
    const auto records =
        session.database.connection().scalar(QStringLiteral("select count(*) from dt_data"));
    out << "数据库文件：" << session.database.currentPath() << '\n'
        << "数据库标签：" << session.database.label() << '\n'
        << "记录数：" << records.toLongLong() << '\n';
    out.flush();
    return 0;
}

} // namespace kestrune::cli
