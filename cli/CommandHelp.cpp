#include "CommandHelp.h"

#include "ExitCodes.h"

#include <map>

namespace kestrune::cli {

namespace {

ExitStatusHelp failed(const QString& what) {
    return {kExitFailed, QStringLiteral("wrong arguments, or ") + what};
}

const std::map<QString, CommandHelp>& allHelp() {
    static const std::map<QString, CommandHelp> help = {
        {QStringLiteral("info"),
         {QStringLiteral("Opens the survey database as the window program does at start-up "
                         "(removing the password of a freshly installed copy) and prints its "
                         "path, its label and the number of records."),
          {},
          {{0, QStringLiteral("printed")},
           failed(QStringLiteral("the database cannot be opened"))}}},
        {QStringLiteral("backup"),
         {QStringLiteral("Copies the database as it stands at one moment to FILE, while other "
                         "programs may go on writing. A name longer than four characters that "
                         "does not end in \".mdb\" gets \".mdb\" appended."),
          {},
          {{0, QStringLiteral("the copy was written")},
           failed(QStringLiteral("the copy could not be written"))}}},
        {QStringLiteral("compact"),
         {QStringLiteral("Compacts the database file in place. Refused while another program "
                         "has the database open."),
          {},
          {{0, QStringLiteral("compacted")},
           failed(QStringLiteral("refused or failed; the file is unchanged"))}}},
        {QStringLiteral("check"),
         {QStringLiteral("Checks records against the survey's logic rules, writes each record's "
                         "state and the check report, and prints the report's path and the "
                         "counts."),
          {{QStringLiteral("--all"), QStringLiteral("check every record")},
           {QStringLiteral("--range FROM TO"),
            QStringLiteral("check the records whose unit codes lie from FROM to TO")},
           {QStringLiteral("--codes C,C,..."), QStringLiteral("check the records named")}},
          {{0, QStringLiteral("no record checked has logic errors")},
           {1, QStringLiteral("some record has logic errors")},
           failed(QStringLiteral("the check could not run"))}}},
        {QStringLiteral("generate"),
         {QStringLiteral("Adds made-up survey records with plausible answers, about one in "
                         "twenty breaking a logic rule, for trying the program and for "
                         "benchmarks. The same seed gives the same records."),
          {{QStringLiteral("--count N"), QStringLiteral("add N records (at most 1,000,000)")},
           {QStringLiteral("--seed S"),
            QStringLiteral("the random seed; a fresh one, printed, when not given")}},
          {{0, QStringLiteral("the records were added")},
           failed(QStringLiteral("the records could not be added"))}}},
        {QStringLiteral("export-list"),
         {QStringLiteral("Writes the record list workbook that the window's list export "
                         "writes: the chosen survey tables of all records, a range of unit "
                         "codes or a group item's records."),
          {{QStringLiteral("--range FROM TO"),
            QStringLiteral("the records whose unit codes lie from FROM to TO")},
           {QStringLiteral("--group-item ID"), QStringLiteral("the records of group item ID")},
           {QStringLiteral("--tables all|N,N,..."),
            QStringLiteral("every table, or the tables numbered (1 to 14); by default those "
                           "checked in \"exporttable.jg\"")},
           {QStringLiteral("--out FILE.xlsx"), QStringLiteral("the workbook to write")}},
          {{0, QStringLiteral("written")},
           {1, QStringLiteral("no record was chosen")},
           failed(QStringLiteral("the workbook could not be written"))}}},
        {QStringLiteral("print"),
         {QStringLiteral("Fills the annual report of the record with unit code CODE into the "
                         "print template and writes the workbook, as the print command hands "
                         "it over."),
          {{QStringLiteral("--out FILE.xlsx"), QStringLiteral("the workbook to write")}},
          {{0, QStringLiteral("written")},
           failed(QStringLiteral("the report could not be filled or written"))}}},
        {QStringLiteral("query"),
         {QStringLiteral("Finds the records whose indicator FIELD compares with one value or "
                         "two (OP is one of = > < >= <=), as the indicator query does, and "
                         "prints their count and unit codes."),
          {{QStringLiteral("--out FILE.xlsx"), QStringLiteral("write the result list instead")},
           {QStringLiteral("--out-db FILE.mdb"),
            QStringLiteral("write the records found as a database file instead")}},
          {{0, QStringLiteral("records were found")},
           {1, QStringLiteral("none was found")},
           failed(QStringLiteral("the condition was refused or the file not written"))}}},
        {QStringLiteral("export"),
         {QStringLiteral("Writes an upload file for the level above, once no record is "
                         "temporarily saved or has logic errors."),
          {{QStringLiteral("--offline"),
            QStringLiteral("the offline exchange file, a protected database")},
           {QStringLiteral("--label TEXT"), QStringLiteral("the offline file's label")},
           {QStringLiteral("--online"), QStringLiteral("the encrypted online upload file")},
           {QStringLiteral("--out FILE.dat"), QStringLiteral("the file to write")}},
          {{0, QStringLiteral("written")},
           {1, QStringLiteral("records are not ready to report")},
           failed(QStringLiteral("the file could not be written"))}}},
        {QStringLiteral("import"),
         {QStringLiteral("Imports the records of exchange files (.dat) or backups (.mdb) after "
                         "confirming each file's label, all of them or none. When unit codes "
                         "conflict, the conflict report's path is printed."),
          {{QStringLiteral("--keep-clean"),
            QStringLiteral("import the records whose unit codes are free, leave the others")},
           {QStringLiteral("--yes"), QStringLiteral("confirm every label")}},
          {{0, QStringLiteral("every record was imported")},
           {1, QStringLiteral("conflicts left records out or stopped the import")},
           failed(QStringLiteral("a file could not be read"))}}},
        {QStringLiteral("sum"),
         {QStringLiteral("Writes the summary workbook that the window's summation fills: "
                         "sheet 1 the cover, sheets 2 to 25 the tables."),
          {{QStringLiteral("--by level|state|group:ID"),
            QStringLiteral("break the records down by level, by reporting state or by the "
                           "items of group ID")},
           {QStringLiteral("--sheets N,N,..."), QStringLiteral("the sheets numbered")},
           {QStringLiteral("--all"), QStringLiteral("every sheet (the default)")},
           {QStringLiteral("--out FILE.xlsx"), QStringLiteral("the workbook to write")}},
          {{0, QStringLiteral("written")},
           {1, QStringLiteral("only the cover was chosen")},
           failed(QStringLiteral("the workbook could not be made"))}}},
        {QStringLiteral("groups"),
         {QStringLiteral("export: copies the user-defined groups (the group tables, whole) into "
                         "FILE, which is created when missing and whose old group tables are "
                         "replaced. import: replaces the groups by those of FILE, in one "
                         "transaction; a group table FILE lacks is reported and the other one "
                         "is still imported."),
          {},
          {{0, QStringLiteral("done")},
           failed(QStringLiteral("the file is missing or the copy failed; nothing was changed"))}}},
    };
    return help;
}

} // namespace

CommandHelp helpFor(const QString& command) {
    const auto found = allHelp().find(command);
    if (found != allHelp().end())
        return found->second;
    return {QString(), {}, {{0, QStringLiteral("done")}, failed(QStringLiteral("not done"))}};
}

const std::vector<OptionHelp>& programOptions() {
    static const std::vector<OptionHelp> options = {
        {QStringLiteral("--yes"), QStringLiteral("answer Yes to every confirmation (otherwise No "
                                                 "when not on a terminal)")},
        {QStringLiteral("--quiet"), QStringLiteral("print no progress")},
        {QStringLiteral("--help"), QStringLiteral("display this help and exit")},
        {QStringLiteral("--version"), QStringLiteral("output version information and exit")},
    };
    return options;
}

const std::vector<ExitStatusHelp>& programExitStatus() {
    static const std::vector<ExitStatusHelp> status = {
        {0, QStringLiteral("the command did what was asked")},
        {1, QStringLiteral("it finished with the outcome its help names (logic errors found, "
                           "nothing chosen or found, records not ready, conflicts)")},
        {kExitFailed, QStringLiteral("wrong arguments, or the run could not be carried out")},
    };
    return status;
}

} // namespace kestrune::cli
