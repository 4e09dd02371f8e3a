#pragma once

#include <QString>
#include <QStringList>

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::exchange {

inline const QString kImportDialogTitle = QStringLiteral("选择导入文件");
inline const QString kImportDialogFilter =
    QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb");
inline const QString kImportConfirmCaption = QStringLiteral("提示：");
inline const QString kImportConflictMessage = QStringLiteral(
    "导入过程中发生错误，准备导入的数据可能与现有的\n\r数据有重复的内容，详细的内容请参见文件："
    "\n\r\n\r            数据导入编号冲突.txt。");

// What to do when some records' unit codes are taken (the options dialog's
// "ImportPrinciple"): import nothing, or import every record whose code is
// free and leave the others out.
enum class ImportPrinciple { AbandonAllOnError, AbandonFaultyOnly };

ImportPrinciple ImportPrincipleOf(bool storedImportPrinciple);

enum class ImportOutcome {
    Cancelled,      // no file chosen
    Refused,        // a file could not be read or does not fit
    Declined,       // the person did not confirm a label
    Imported,       // every record of every file
    PartlyImported, // the records with free codes; the others are in the report
    Conflicts,      // nothing imported: codes taken, see the report
    Failed,         // nothing imported: the engine refused for another reason
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Cancelled;
    int imported = 0;
    int leftOut = 0;
    QString reportPath; // the conflict report, when one was written
    // Declining and the conflict path leave the list as it is.
    bool refreshList() const {
        return outcome != ImportOutcome::Declined && outcome != ImportOutcome::Conflicts;
    }
};

// "确认准备导入标记声明为【label】的数据么？"
QString ImportConfirmText(const QString& label);
// "数据已经被正确地从'file'导入！", the files one after the other for several.
QString ImportedMessage(const QStringList& chosenFiles);
// How many were imported and how many left out, pointing to the report.
QString PartlyImportedMessage(int imported, int leftOut);

// A chosen name longer than four characters gets the extension of the filter
// chosen (0: ".dat", 1: ".mdb") when it lacks it.
QString ImportFileName(const QString& chosen, int filterIndex);

// Imports the records of the files into the working database, each file's
// label confirmed first (Yes/No, No the default). Every file is read in
// memory or through a restored working copy and never changed. All-or-nothing
// runs as one transaction over every file; the conflict search lists the
// records whose codes are taken in the working database or by another chosen
// record, writes the report and opens it before its message. A refused or
// failing import leaves the working database as it was, byte for byte.
ImportResult ImportDataFiles(db::Connection& working, shell::UserInteraction& ui,
                             const QStringList& files, ImportPrinciple principle);

// The main window's data import: the open dialog (several files may be
// chosen) in the documents folder, the name rules, then ImportDataFiles.
ImportResult RunDataImport(db::Connection& working, shell::UserInteraction& ui,
                           ImportPrinciple principle);

} // namespace kestrune::exchange
