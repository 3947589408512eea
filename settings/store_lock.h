#pragma once

#include <QLockFile>
#include <QString>

// The lock that one write of the settings store holds, "<store>.lock" as
// QSettings names it, so that other copies of the program, old or new, and the
// store's own writes take turns. A lock whose owner is gone is taken over: one
// that names a process no longer running, or an empty one, as a process killed
// before it wrote its number leaves. Copies that hold it in turn are waited for
// as long as they pass it on; one copy that keeps it for more than a moment
// (a stopped one) is not.
class StoreLock final
{
public:
    explicit StoreLock(const QString& storePath);
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool isLocked() const { return m_lock.isLocked(); }

private:
    QLockFile m_lock;
};
