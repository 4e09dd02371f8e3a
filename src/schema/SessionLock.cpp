#include "SessionLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kestrune::db {

SessionLock::~SessionLock() {
    release();
}

QString SessionLock::lockFileFor(const QString& databasePath) {
    const QFileInfo file(databasePath);
    return file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".ldb"));
}

bool SessionLock::openFile(const QString& path) {
    release();
    const QString native = QDir::toNativeSeparators(path);
#ifdef _WIN32
    HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    handle_ = reinterpret_cast<long long>(file);
#else
    const int file =
        ::open(QFile::encodeName(native).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0)
        return false;
    handle_ = file;
#endif
    return true;
}

bool SessionLock::acquireShared(const QString& databasePath, int waitMilliseconds) {
    if (!openFile(lockFileFor(databasePath)))
        return true;
    const QDeadlineTimer deadline(waitMilliseconds);
    while (!lock(false)) {
        if (deadline.hasExpired()) {
            release();
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

bool SessionLock::tryHoldFileAlone(const QString& path) {
    if (openFile(path) && lock(true))
        return true;
    release();
    return false;
}

bool SessionLock::tryAlone() {
    if (!held())
        return true;
    if (lock(true))
        return true;
    // Converting a lock may give up the shared one first: take it again.
    share();
    return false;
}

void SessionLock::share() {
    if (!held())
        return;
    unlock();
    while (!lock(false))
        QThread::msleep(50);
}

void SessionLock::release() {
    if (!held())
        return;
    unlock();
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
#else
    ::close(int(handle_));
#endif
    handle_ = kNone;
}

#ifdef _WIN32
namespace {
// Windows locks are mandatory: lock a byte far beyond any file's end, where
// it never stands in the way of reading or writing the file.
OVERLAPPED lockedByte() {
    OVERLAPPED at = {};
    at.OffsetHigh = 0x7fffffff;
    return at;
}
} // namespace
#endif

bool SessionLock::lock(bool alone) {
#ifdef _WIN32
    OVERLAPPED whole = lockedByte();
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (alone ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (alone)
        UnlockFileEx(reinterpret_cast<HANDLE>(handle_), 0, 1, 0, &whole);
    return LockFileEx(reinterpret_cast<HANDLE>(handle_), flags, 0, 1, 0, &whole) != 0;
#else
    return ::flock(int(handle_), (alone ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
#endif
}

void SessionLock::unlock() {
#ifdef _WIN32
    OVERLAPPED whole = lockedByte();
    UnlockFileEx(reinterpret_cast<HANDLE>(handle_), 0, 1, 0, &whole);
#else
    ::flock(int(handle_), LOCK_UN);
#endif
}

} // namespace kestrune::db
