#pragma once

#include "schema/Connection.h"

#include <QString>

namespace kestrune::shell {

class UserInteraction;

inline const QString kMissingDatabaseMessage = QStringLiteral("没有找到系统数据文件，请重新安装。");
inline const QString kBrokenInstallMessage = QStringLiteral("软件安装不正确，请与软件提供者联系！");

// The one long-lived connection to the survey database, with the path it was
// opened on and the database label read at every opening.
class SurveyDatabase {
public:
    // Opens the database file (the installed one unless a path is given); a
    // protected file loses its password for good at its first opening. On
    // failure the person is told why and false is returned: the program must
    // then end without showing a window.
    bool OpenDatabase(UserInteraction& ui, const QString& path = {});
    void close();
    // Opens the connection again on the current file, after backup and
    // compaction closed it. Throws EngineError.
    void reopen();

    db::Connection& connection() { return connection_; }
    const QString& currentPath() const { return currentPath_; }
    const QString& label() const { return label_; }

private:
    bool connect(const QString& path);
    QString readLabel();

    db::Connection connection_;
    QString currentPath_;
    QString label_;
};

// "Kestrune - " followed by the database label.
QString mainCaption(const QString& label);

} // namespace kestrune::shell
