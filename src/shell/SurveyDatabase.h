#pragma once

#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/SessionLock.h"

#include <QString>

namespace kestrune::shell {

class UserInteraction;

inline const QString kMissingDatabaseMessage = QStringLiteral("没有找到系统数据文件，请重新安装。");
inline const QString kBrokenInstallMessage = QStringLiteral("软件安装不正确，请与软件提供者联系！");
// Opening failed for a reason the person can do something about.
inline const QString kOpenFailurePrefix = QStringLiteral("不能打开数据库文件：");
// Compaction replaces the file, which no other session may have open.
inline const QString kDatabaseInUseMessage =
    QStringLiteral("数据库文件正被其他程序使用，不能压缩。请关闭使用它的其他程序后再试。");
// How long opening waits for another session to finish replacing the file.
constexpr int kLockWaitMilliseconds = 10000;

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
    // Holds the file alone, for replacing it; false while another session
    // has it open. share() ends that.
    bool holdAlone() { return lock_.tryAlone(); }
    void share() { lock_.share(); }

    db::Connection& connection() { return connection_; }
    const QString& currentPath() const { return currentPath_; }
    const QString& label() const { return label_; }

private:
    void connect(const QString& path);
    QString readLabel();

    db::SessionLock lock_;
    db::Connection connection_;
    QString currentPath_;
    QString label_;
};

// Why opening failed: kOpenFailurePrefix with the reason where the engine
// tells it, otherwise kBrokenInstallMessage.
QString OpenFailureMessage(const db::EngineError& error);

// "Kestrune - " followed by the database label.
QString mainCaption(const QString& label);

} // namespace kestrune::shell
