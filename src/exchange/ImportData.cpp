#include "ImportData.h"

#include "ImportConflictReport.h"
#include "ImportSource.h"
#include "TableColumns.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/SqlText.h"
#include "shell/Settings.h"
#include "shell/UserInteraction.h"
#include "text/TextCodecError.h"

#include <QFileInfo>
#include <vector>

namespace kestrune::exchange {

namespace {

using shell::MessageKind;

QString sourceSchema(std::size_t index) {
    return QStringLiteral("import%1").arg(index + 1);
}

// The working database's own column names, so that nothing a file calls its
// columns reaches a statement.
QString columnList(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << db::quoteName(name);
    return quoted.join(QLatin1Char(','));
}

bool sameOrder(const QStringList& source, const QStringList& working) {
    if (source.size() != working.size())
        return false;
    for (int i = 0; i < source.size(); ++i)
        if (source[i].compare(working[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

// Copies one file's records. A file laid out as the working database (every
// exchange file) is copied whole, which lets the engine move its records
// without taking them apart.
int importRecords(db::Connection& working, const QString& schema, const QStringList& source,
                  const QStringList& columns) {
    if (sameOrder(source, columns))
        return working.execute(
            QStringLiteral("insert into main.%1 select * from %2.%1").arg(kImportTable, schema));
    return working.execute(QStringLiteral("insert into main.%1 (%2) select %2 from %3.%1")
                               .arg(kImportTable, columnList(columns), schema));
}

// The chosen files reached from the working connection, in memory, for as
// long as the import runs. The engine takes each file's bytes over and works
// in them where they lie until they are detached.
class AttachedSources {
public:
    AttachedSources(db::Connection& working, std::vector<ImportSource>& sources)
        : working_(working) {
        for (ImportSource& source : sources) {
            working_.attachImage(std::move(source.image), sourceSchema(count_));
            ++count_;
        }
    }
    ~AttachedSources() {
        while (count_ > 0) {
            try {
                working_.detach(sourceSchema(--count_));
            } catch (const db::EngineError&) {
                // Closing the connection lets go of it all the same.
            }
        }
    }
    AttachedSources(const AttachedSources&) = delete;
    AttachedSources& operator=(const AttachedSources&) = delete;
    std::size_t count() const { return count_; }

private:
    db::Connection& working_;
    std::size_t count_ = 0;
};

// Fills the working table with the chosen records whose codes are taken: by
// a record of the working database or by another chosen record. Runs inside
// the caller's transaction. The codes land in temp.import_taken too, indexed.
void fillConflictTable(db::Connection& working, std::size_t sources, const QString& columns) {
    const QString table = kImportConflictTable;
    if (!working.hasTable(table))
        working.execute(
            QStringLiteral("create table %1 as select * from %2 where 0").arg(table, kImportTable));
    working.execute(QStringLiteral("delete from ") + table);
    for (std::size_t i = 0; i < sources; ++i)
        working.execute(QStringLiteral("insert into main.%1 (%2) select %2 from %3.%4")
                            .arg(table, columns, sourceSchema(i), kImportTable));
    working.executeScript(
        QStringLiteral("create temp table if not exists import_repeated (c901 primary key);"
                       "create temp table if not exists import_taken (c901 primary key);"
                       "delete from temp.import_repeated; delete from temp.import_taken"));
    working.execute(QStringLiteral("insert into temp.import_repeated select c901 from main.%1 "
                                   "where c901 is not null group by c901 having count(*) > 1")
                        .arg(table));
    working.execute(
        QStringLiteral("delete from main.%1 where c901 is null or (not exists (select 1 from "
                       "main.%2 d where d.c901 = main.%1.c901) and not exists (select 1 from "
                       "temp.import_repeated r where r.c901 = main.%1.c901))")
            .arg(table, kImportTable));
    working.execute(
        QStringLiteral("insert or ignore into temp.import_taken select c901 from main.%1")
            .arg(table));
}

std::vector<CodeConflict> readConflicts(db::Connection& working) {
    std::vector<CodeConflict> conflicts;
    db::Dataset rows = working.query(
        QStringLiteral("select c901,c902 from %1 order by c901").arg(kImportConflictTable));
    for (rows.first(); !rows.eof(); rows.next())
        conflicts.push_back({rows.value(0), rows.value(1)});
    return conflicts;
}

// Writes the report and opens it; false (with the error shown) when it
// could not be written.
bool reportConflicts(shell::UserInteraction& ui, const std::vector<CodeConflict>& conflicts,
                     ImportResult& result) {
    try {
        result.reportPath = WriteConflictReport(conflicts);
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(e.text(), kImportErrorAdvice);
        return false;
    } catch (const text::TextCodecError& e) {
        ui.showRuntimeError(e.text(), kImportErrorAdvice);
        return false;
    }
    ui.openWithDefaultProgram(result.reportPath);
    return true;
}

QStringList chosenFiles(const std::vector<ImportSource>& sources) {
    QStringList files;
    for (const ImportSource& source : sources)
        files << source.chosenPath;
    return files;
}

// After a failed all-or-nothing import: which records clash. A search that
// finds none is rolled back, so that the working database stays untouched.
ImportResult searchConflicts(db::Connection& working, shell::UserInteraction& ui,
                             std::size_t sources, const QString& columns,
                             const db::EngineError& failure) {
    ImportResult result;
    result.outcome = ImportOutcome::Failed;
    std::vector<CodeConflict> conflicts;
    try {
        working.begin();
        fillConflictTable(working, sources, columns);
        conflicts = readConflicts(working);
        if (conflicts.empty())
            working.rollback();
        else
            working.commit();
    } catch (const db::EngineError&) {
        working.rollback();
        ui.showMessage(kImportFormatError, MessageKind::Error);
        return result;
    }
    if (conflicts.empty()) {
        ui.showRuntimeError(failure.text(), kImportErrorAdvice);
        return result;
    }
    result.outcome = ImportOutcome::Conflicts;
    result.leftOut = int(conflicts.size());
    if (reportConflicts(ui, conflicts, result))
        ui.showMessage(kImportConflictMessage, MessageKind::Error);
    return result;
}

ImportResult importAllOrNothing(db::Connection& working, shell::UserInteraction& ui,
                                const std::vector<ImportSource>& sources) {
    const QStringList names = TableColumns(working, kImportTable);
    const QString columns = columnList(names);
    ImportResult result;
    try {
        working.begin();
        for (std::size_t i = 0; i < sources.size(); ++i)
            result.imported += importRecords(working, sourceSchema(i), sources[i].columns, names);
        working.commit();
    } catch (const db::EngineError& failure) {
        working.rollback();
        return searchConflicts(working, ui, sources.size(), columns, failure);
    }
    result.outcome = ImportOutcome::Imported;
    ui.showMessage(ImportedMessage(chosenFiles(sources)));
    return result;
}

ImportResult importFreeCodes(db::Connection& working, shell::UserInteraction& ui,
                             const std::vector<ImportSource>& sources) {
    const QString columns = columnList(TableColumns(working, kImportTable));
    ImportResult result;
    std::vector<CodeConflict> conflicts;
    try {
        working.begin();
        fillConflictTable(working, sources.size(), columns);
        conflicts = readConflicts(working);
        for (std::size_t i = 0; i < sources.size(); ++i)
            result.imported += working.execute(
                QStringLiteral("insert into main.%1 (%2) select %2 from %3.%1 s where s.c901 is "
                               "null or not exists (select 1 from temp.import_taken t where "
                               "t.c901 = s.c901)")
                    .arg(kImportTable, columns, sourceSchema(i)));
        working.commit();
    } catch (const db::EngineError& e) {
        working.rollback();
        result.imported = 0;
        result.outcome = ImportOutcome::Failed;
        ui.showRuntimeError(e.text(), kImportErrorAdvice);
        return result;
    }
    if (conflicts.empty()) {
        result.outcome = ImportOutcome::Imported;
        ui.showMessage(ImportedMessage(chosenFiles(sources)));
        return result;
    }
    result.leftOut = int(conflicts.size());
    result.outcome = result.imported > 0 ? ImportOutcome::PartlyImported : ImportOutcome::Conflicts;
    if (reportConflicts(ui, conflicts, result))
        ui.showMessage(PartlyImportedMessage(result.imported, result.leftOut),
                       MessageKind::Warning);
    return result;
}

} // namespace

ImportPrinciple ImportPrincipleOf(bool storedImportPrinciple) {
    return storedImportPrinciple ? ImportPrinciple::AbandonFaultyOnly
                                 : ImportPrinciple::AbandonAllOnError;
}

QString ImportConfirmText(const QString& label) {
    return QStringLiteral("确认准备导入标记声明为【") + label + QStringLiteral("】的数据么？");
}

QString ImportedMessage(const QStringList& chosenFiles) {
    QStringList quoted;
    for (const QString& file : chosenFiles)
        quoted << QLatin1Char('\'') + file + QLatin1Char('\'');
    return QStringLiteral("数据已经被正确地从") + quoted.join(QStringLiteral("、")) +
           QStringLiteral("导入！");
}

QString PartlyImportedMessage(int imported, int leftOut) {
    return QStringLiteral("已经导入%1条记录，另有%2条记录因编号冲突没有导入，详细的内容请参见文件："
                          "\n\n            数据导入编号冲突.txt。")
        .arg(imported)
        .arg(leftOut);
}

QString ImportFileName(const QString& chosen, int filterIndex) {
    if (chosen.size() <= 4)
        return chosen;
    const QString extension = filterIndex == 1 ? QStringLiteral(".mdb") : QStringLiteral(".dat");
    return chosen.endsWith(extension) ? chosen : chosen + extension;
}

ImportResult ImportDataFiles(db::Connection& working, shell::UserInteraction& ui,
                             const QStringList& files, ImportPrinciple principle) {
    ImportResult result;
    std::vector<ImportSource> sources;
    for (const QString& file : files) {
        ReadSourceResult read = ReadImportSource(file, working);
        if (!read.source) {
            if (read.refusal.runtimeError)
                ui.showRuntimeError(read.refusal.message, kImportErrorAdvice);
            else
                ui.showMessage(read.refusal.message, MessageKind::Warning);
            result.outcome = ImportOutcome::Refused;
            return result;
        }
        if (!ui.confirm(ImportConfirmText(read.source->label), kImportConfirmCaption)) {
            result.outcome = ImportOutcome::Declined;
            return result;
        }
        sources.push_back(std::move(*read.source));
    }
    if (sources.empty())
        return result;
    try {
        AttachedSources attached(working, sources);
        return principle == ImportPrinciple::AbandonAllOnError
                   ? importAllOrNothing(working, ui, sources)
                   : importFreeCodes(working, ui, sources);
    } catch (const db::EngineError& e) {
        working.rollback();
        ui.showRuntimeError(e.text(), kImportErrorAdvice);
        result.outcome = ImportOutcome::Failed;
        return result;
    }
}

ImportResult RunDataImport(db::Connection& working, shell::UserInteraction& ui,
                           ImportPrinciple principle) {
    shell::FileDialogRequest request;
    request.title = kImportDialogTitle;
    request.filter = kImportDialogFilter;
    request.initialFolder = shell::documentsFolder();
    const shell::OpenFilesChoice choice = ui.chooseOpenFiles(request);
    QStringList files;
    for (const QString& name : choice.files)
        if (!name.trimmed().isEmpty())
            files << ImportFileName(name, choice.filterIndex);
    if (files.isEmpty())
        return {};
    return ImportDataFiles(working, ui, files, principle);
}

} // namespace kestrune::exchange
