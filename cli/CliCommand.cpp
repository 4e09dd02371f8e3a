#include "CliCommand.h"

#include "CheckCommand.h"
#include "ExitCodes.h"
#include "ExportCommand.h"
#include "ExportListCommand.h"
#include "GenerateCommand.h"
#include "GroupsCommand.h"
#include "HelpText.h"
#include "ImportCommand.h"
#include "PrintCommand.h"
#include "QueryCommand.h"
#include "SumCommand.h"
#include "schema/EngineError.h"
#include "shell/FailureReason.h"
#include "shell/ProgramFolder.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDIN_FILENO 0
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace kestrune::cli {

const std::vector<CliCommand>& commands() {
    static const std::vector<CliCommand> all = {
        {QStringLiteral("info"), QString(),
         QStringLiteral("opens the installed database as the program does at start-up and "
                        "prints its path, its label and the number of records"),
         &runInfo},
        {QStringLiteral("backup"), QStringLiteral("FILE"),
         QStringLiteral("copies the database to FILE (\".mdb\" is appended to a name without it)"),
         &runBackup},
        {QStringLiteral("compact"), QString(),
         QStringLiteral("compacts the database file in place"), &runCompact},
        {QStringLiteral("check"), QStringLiteral("--all | --range FROM TO | --codes C,C,..."),
         QStringLiteral("checks records against the logic rules, writes their states and the "
                        "report; exit 0 when no record has logic errors, 1 when some record has, "
                        "2 when the check could not run"),
         &runCheck},
        {QStringLiteral("generate"), QStringLiteral("--count N [--seed S]"),
         QStringLiteral("adds N made-up survey records (plausible answers, about 5% breaking a "
                        "logic rule) to the database"),
         &runGenerate},
        {QStringLiteral("export-list"),
         QStringLiteral(
             "[--range FROM TO | --group-item ID] [--tables all|N,N,...] --out FILE.xlsx"),
         QStringLiteral(
             "writes the record list workbook the window's list export writes; exit 0 "
             "when written, 1 when no record was chosen, 2 when it could not be written"),
         &runExportList},
        {QStringLiteral("print"), QStringLiteral("CODE --out FILE.xlsx"),
         QStringLiteral("fills the annual report of the record with unit code CODE into the print "
                        "template and writes the workbook to FILE, as the print command hands "
                        "it over"),
         &runPrint},
        {QStringLiteral("query"),
         QStringLiteral("FIELD OP VALUE [OP VALUE] [--out FILE.xlsx | --out-db FILE.mdb]"),
         QStringLiteral("finds the records whose indicator FIELD compares with the values (OP: "
                        "= > < >= <=) and prints their count and unit codes, or writes the result "
                        "list as a workbook or the records as a database file; exit 0 when found, "
                        "1 when none, 2 when refused or not written"),
         &runQuery},
        {QStringLiteral("export"),
         QStringLiteral("(--offline --label TEXT | --online) --out FILE.dat"),
         QStringLiteral("writes the offline exchange file under the label TEXT, or the encrypted "
                        "online upload file; exit 0 when written, 1 when records are not ready to "
                        "report, 2 when it could not be written"),
         &runExport},
        {QStringLiteral("import"), QStringLiteral("FILE... [--keep-clean] [--yes]"),
         QStringLiteral("imports the records of exchange files (.dat) or backups (.mdb) after "
                        "confirming each label; all or nothing unless --keep-clean imports the "
                        "records with free unit codes; exit 0 when every record was imported, 1 "
                        "when conflicts left records out or stopped the import (the conflict "
                        "report's path is printed), 2 on an unreadable file"),
         &runImport},
        {QStringLiteral("sum"),
         QStringLiteral("--by level|state|group:ID [--sheets N,N,...|--all] --out FILE.xlsx"),
         QStringLiteral("writes the summary workbook the window's summation fills (sheet 1 the "
                        "cover, 2 to 25 the tables; all by default); exit 0 when written, 1 "
                        "when only the cover was chosen, 2 when it could not be made"),
         &runSum},
        {QStringLiteral("groups"), QStringLiteral("export|import FILE.mdb"),
         QStringLiteral("copies the user-defined groups into FILE (created when missing, its "
                        "group tables replaced), or replaces the groups by those of FILE (a "
                        "table FILE lacks is reported and kept); exit 0 when done, 2 when the "
                        "file is missing or the copy failed, nothing changed"),
         &runGroups},
    };
    return all;
}

namespace {

const CliCommand* findCommand(const QString& name) {
    for (const CliCommand& c : commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

int unknownCommand(const QString& name, QTextStream& err) {
    err << "kestrune-cli: unknown command " << name << " (see --help)\n";
    return kExitFailed;
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    shell::ConsoleInteraction ui;
    ui.setInteractive(isatty(STDIN_FILENO) && isatty(STDERR_FILENO));
    QStringList rest = arguments;
    while (!rest.isEmpty() && rest.first().startsWith(QLatin1String("--"))) {
        const QString option = rest.takeFirst();
        if (option == QLatin1String("--help") || option == QLatin1String("--version")) {
            out << (option == QLatin1String("--help") ? programHelpText() : versionText() + '\n');
            out.flush();
            return 0;
        }
        if (option == QLatin1String("--yes")) {
            ui.setAssumeYes(true);
            ui.setInteractive(false);
        } else if (option == QLatin1String("--quiet")) {
            ui.setQuiet(true);
        } else {
            err << "kestrune-cli: unknown option " << option << '\n';
            return kExitFailed;
        }
    }
    if (rest.isEmpty()) {
        err << programHelpText();
        return kExitFailed;
    }
    const QString name = rest.takeFirst();
    // "help COMMAND" and "COMMAND --help" print the command's help.
    const bool help = name == QLatin1String("help") || rest.contains(QLatin1String("--help"));
    const QString named = name == QLatin1String("help") ? rest.value(0) : name;
    if (help && named.isEmpty()) {
        out << programHelpText();
        out.flush();
        return 0;
    }
    const CliCommand* command = findCommand(named);
    if (!command)
        return unknownCommand(named, err);
    if (help) {
        out << commandHelpText(*command);
        out.flush();
        return 0;
    }
    for (const QString& file : shell::PrepareProgramFolder())
        err << "kestrune-cli: could not copy " << file << " into the program folder\n";
    try {
        return command->run(rest, ui, out);
    } catch (const db::EngineError& e) {
        // A command that meets a database it cannot work on says so and
        // fails, as a window command does.
        ui.showRuntimeError(shell::FailureReason(e));
        return kExitFailed;
    }
}

} // namespace kestrune::cli
