#include "store_lock.h"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace {

// How long one holder may keep the lock before the wait ends.
constexpr int HolderMilliseconds = 700;
constexpr int TryMilliseconds = 50;
// Each holder keeps a lock on the file itself (flock) as long as it lives, so
// that the age matters only for a lock whose owner cannot be told: a live one
// is never taken, however old.
constexpr int StaleMilliseconds = 200;

} // namespace

StoreLock::StoreLock(const QString& storePath)
    : m_lock(storePath + u".lock"_s)
{
    m_lock.setStaleLockTime(StaleMilliseconds);
    qint64 holder = -1;
    QElapsedTimer heldFor;
    heldFor.start();
    while (!m_lock.tryLock(TryMilliseconds)) {
        if (m_lock.error() != QLockFile::LockFailedError)
            return;
        qint64 pid = -1;
        QString host, application;
        if (m_lock.getLockInfo(&pid, &host, &application) && pid != holder) {
            holder = pid;
            heldFor.restart();
        } else if (heldFor.hasExpired(HolderMilliseconds))
            return;
    }
}
