#include "store_lock.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int WaitMilliseconds = 700;
// Each holder keeps a lock on the file itself (flock) as long as it lives, so
// that the age matters only for a lock whose owner cannot be told: a live one
// is never taken, however old.
constexpr int StaleMilliseconds = 200;

} // namespace

StoreLock::StoreLock(const QString& storePath)
    : m_lock(storePath + u".lock"_s)
{
    m_lock.setStaleLockTime(StaleMilliseconds);
    m_lock.tryLock(WaitMilliseconds);
}
