#include "HelpText.h"

#include "CommandHelp.h"

#include <QStringList>

namespace kestrune::cli {

namespace {

constexpr int kWidth = 79;
const QString kProgram = QStringLiteral("kestrune-cli");

const QString kPurpose =
    QStringLiteral("Run the long operations of Kestrune without windows, on the survey database "
                   "in the program folder.");
const QString kProgramFolder = QStringLiteral(
    "The program folder is the folder named by KESTRUNE_HOME when it is set, else the "
    "executable's folder when it holds the database \"2020NB_jg_20200831.mdb\", else (an "
    "installed copy) the user's own folder ~/.local/share/Brenvatik/Kestrune, filled from "
    "/usr/share/kestrune at the first start. Settings are kept in ~/.config/Brenvatik or in "
    "the folder named by KESTRUNE_SETTINGS_DIR; reports and temporary files go to TEMP or "
    "the system's temporary folder.");

// Words of text laid out in lines of at most kWidth columns, each line
// beginning with indent spaces, the first with firstIndent.
QString wrap(const QString& text, int indent, int firstIndent) {
    QString result;
    QString line(firstIndent, QLatin1Char(' '));
    bool empty = true;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!empty && line.size() + 1 + word.size() > kWidth) {
            result += line + QLatin1Char('\n');
            line = QString(indent, QLatin1Char(' '));
            empty = true;
        }
        line += (empty ? QString() : QStringLiteral(" ")) + word;
        empty = false;
    }
    return result + line + QLatin1Char('\n');
}

// "  --out FILE.xlsx      the workbook to write", the meaning column at 24.
QString item(const QString& head, const QString& meaning) {
    constexpr int kColumn = 24;
    const QString start = QStringLiteral("  ") + head;
    if (start.size() + 2 > kColumn)
        return wrap(head, 4, 2) + wrap(meaning, kColumn, kColumn);
    return start.leftJustified(kColumn) + wrap(meaning, kColumn, kColumn).mid(kColumn);
}

QString usageOf(const CliCommand& command) {
    return kProgram + QStringLiteral(" [OPTION]... ") + command.name +
           (command.arguments.isEmpty() ? QString() : QLatin1Char(' ') + command.arguments);
}

QString exitStatusText(const std::vector<ExitStatusHelp>& status) {
    QString text = QStringLiteral("Exit status:\n");
    for (const ExitStatusHelp& s : status)
        text += QStringLiteral("  %1  ").arg(s.code) + wrap(s.meaning, 5, 5).mid(5);
    return text;
}

// Roff: backslashes escaped, hyphens of options kept as hyphens, no line
// beginning with a control character.
QString roff(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\e"))
        .replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (escaped.startsWith(QLatin1Char('.')) || escaped.startsWith(QLatin1Char('\'')))
        escaped.prepend(QStringLiteral("\\&"));
    return escaped;
}

QString roffItems(const std::vector<OptionHelp>& options) {
    QString text;
    for (const OptionHelp& o : options)
        text += QStringLiteral(".TP\n.B ") + roff(o.option) + QLatin1Char('\n') + roff(o.meaning) +
                QLatin1Char('\n');
    return text;
}

QString roffExitStatus(const std::vector<ExitStatusHelp>& status) {
    QString text;
    for (const ExitStatusHelp& s : status)
        text += QStringLiteral(".TP\n.B %1\n").arg(s.code) + roff(s.meaning) + QLatin1Char('\n');
    return text;
}

} // namespace

QString versionText() {
    return kProgram + QStringLiteral(" (Kestrune) ") + QStringLiteral(KESTRUNE_VERSION);
}

QString programHelpText() {
    QString text = QStringLiteral("Usage: ") + kProgram +
                   QStringLiteral(" [OPTION]... COMMAND [ARGUMENT]...\n") + wrap(kPurpose, 0, 0) +
                   QLatin1Char('\n') + wrap(kProgramFolder, 0, 0) + QStringLiteral("\nOptions:\n");
    for (const OptionHelp& o : programOptions())
        text += item(o.option, o.meaning);
    text += QStringLiteral("\nCommands:\n");
    for (const CliCommand& c : commands())
        text += item(c.name + (c.arguments.isEmpty() ? QString() : QLatin1Char(' ') + c.arguments),
                     c.summary);
    text += QLatin1Char('\n') +
            wrap(QStringLiteral("Run '%1 help COMMAND' or '%1 COMMAND --help' for a command's "
                                "arguments and exit status.")
                     .arg(kProgram),
                 0, 0) +
            QLatin1Char('\n') + exitStatusText(programExitStatus());
    return text;
}

QString commandHelpText(const CliCommand& command) {
    const CommandHelp help = helpFor(command.name);
    // The usage line wrapped GNU fashion, continued below the command's name.
    QString text = wrap(QStringLiteral("Usage: ") + usageOf(command), 7, 0) +
                   wrap(help.description.isEmpty() ? command.summary : help.description, 0, 0) +
                   QLatin1Char('\n');
    for (const OptionHelp& o : help.options)
        text += item(o.option, o.meaning);
    text += item(QStringLiteral("--help"), QStringLiteral("display this help and exit")) +
            QLatin1Char('\n') + exitStatusText(help.exitStatus);
    return text;
}

QString manPage() {
    QString page = QStringLiteral(".TH KESTRUNE\\-CLI 1 \"\" \"Kestrune %1\" \"User Commands\"\n")
                       .arg(QStringLiteral(KESTRUNE_VERSION)) +
                   QStringLiteral(".SH NAME\nkestrune\\-cli \\- run the long operations of "
                                  "Kestrune without windows\n") +
                   QStringLiteral(".SH SYNOPSIS\n.B kestrune\\-cli\n[\\fIOPTION\\fR]... "
                                  "\\fICOMMAND\\fR [\\fIARGUMENT\\fR]...\n") +
                   QStringLiteral(".SH DESCRIPTION\n") + roff(kPurpose) +
                   QStringLiteral("\n.PP\n") + roff(kProgramFolder) +
                   QStringLiteral("\n.SH OPTIONS\n") + roffItems(programOptions()) +
                   QStringLiteral(".SH COMMANDS\n");
    for (const CliCommand& c : commands()) {
        const CommandHelp help = helpFor(c.name);
        page += QStringLiteral(".SS \"") + roff(c.name) +
                (c.arguments.isEmpty() ? QString() : QLatin1Char(' ') + roff(c.arguments)) +
                QStringLiteral("\"\n") +
                roff(help.description.isEmpty() ? c.summary : help.description) + QLatin1Char('\n');
        page += roffItems(help.options) + QStringLiteral(".PP\nExit status:\n.RS\n") +
                roffExitStatus(help.exitStatus) + QStringLiteral(".RE\n");
    }
    page += QStringLiteral(".SH \"EXIT STATUS\"\n") + roffExitStatus(programExitStatus()) +
            QStringLiteral(".SH ENVIRONMENT\n") +
            roffItems({{QStringLiteral("KESTRUNE_HOME"),
                        QStringLiteral("the program folder, instead of the one found")},
                       {QStringLiteral("KESTRUNE_SETTINGS_DIR"),
                        QStringLiteral("the folder of the settings files")},
                       {QStringLiteral("TEMP"), QStringLiteral("the folder of reports and "
                                                               "temporary files")}}) +
            QStringLiteral(".SH FILES\n") +
            roffItems({{QStringLiteral("~/.local/share/Brenvatik/Kestrune/"),
                        QStringLiteral("an installed copy's program folder: the survey "
                                       "database, the templates, the notes")},
                       {QStringLiteral("/usr/share/kestrune/"),
                        QStringLiteral("the files it is filled from")}});
    return page;
}

} // namespace kestrune::cli
