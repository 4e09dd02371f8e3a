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

// Asks where to, then copies the closed database file there whole; the
// connection and the list are opened again in every case. True when copied.
bool BackupDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list);

// Writes a compacted copy to a fresh "~SM" file in the temporary folder and
// puts it over the current file; on failure the current file stays as it
// was. The connection and the list are opened again in every case.
bool CompactDatabase(SurveyDatabase& database, UserInteraction& ui, ConnectionClient* list);

} // namespace kestrune::shell
