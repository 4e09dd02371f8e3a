#pragma once

#include <QString>

namespace kestrune::shell {

class SurveyDatabase;
class UserInteraction;

// Whatever shows rows of the database (the record list): it lets go of them
// while backup or compaction has the connection closed, and opens again on
// the row it remembered.
class ConnectionClient {
public:
    virtual ~ConnectionClient();
    virtual void connectionClosing() = 0;
    virtual void connectionReopened() = 0;
};

inline const QString kBackupSucceeded = QStringLiteral("备份成功");
inline const QString kCompactSucceeded = QStringLiteral("压缩操作成功");

// A chosen backup name longer than four characters that does not end in
// ".mdb" gets ".mdb" appended.
QString BackupTargetName(const QString& chosen);

// Asks where to, then copies the database there as it stands at one moment,
// while the connection stays open. True when copied.
bool BackupDatabase(SurveyDatabase& database, UserInteraction& ui);

// Writes a compacted copy to a fresh "~SM" file in the temporary folder and
// puts it over the current file; on failure the current file stays as it
// was. Refused (kDatabaseInUseMessage) while another session has the file
// open. The connection and the list are opened again in every case.
// Removes the "~SM*.tmp" files that compactions cut short left in the
// temporary folder; files of a compaction still running are kept.
void RemoveStaleCompactionFiles();

bool CompactDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list);

} // namespace kestrune::shell
