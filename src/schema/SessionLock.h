#pragma once

#include <QString>

namespace kestrune::db {

// Tells the programs that use one database file of each other, through a lock
// file beside it ("<name>.ldb"): every session holds the lock shared for as
// long as it works on the file; whatever replaces the file (compaction) must
// hold it alone. The lock is the operating system's, so a program that ends
// in any way lets go of it.
class SessionLock {
public:
    SessionLock() = default;
    ~SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    // "<folder>/<name without suffix>.ldb" for a database file.
    static QString lockFileFor(const QString& databasePath);

    // Takes the shared lock, waiting up to `waitMilliseconds` while another
    // session holds it alone. False when that wait ran out. A folder where no
    // lock file can be made leaves the session without a lock (true): such a
    // file cannot be replaced by anyone anyway.
    bool acquireShared(const QString& databasePath, int waitMilliseconds);
    // Holds a lock of this kind on `path` itself alone, at once or not at
    // all: for marking a file that one program is still writing.
    bool tryHoldFileAlone(const QString& path);
    // Holds the lock alone, at once or not at all; false while another
    // session holds it. Without a lock file there is no one to ask (true).
    bool tryAlone();
    // Back to sharing after tryAlone().
    void share();
    void release();
    bool held() const { return handle_ != kNone; }

private:
    bool openFile(const QString& path);
    bool lock(bool alone);
    void unlock();

    static constexpr long long kNone = -1;
    long long handle_ = kNone;
};

} // namespace kestrune::db
