#pragma once

#include "posix_calls.h"

#include <QByteArrayView>
#include <QString>

// The settings store's file on the disk. Both are called with the store's lock
// held (StoreLock).

// Removes what writes killed part-way left beside the store: "<store>.XXXXXX"
// (new contents not yet in place: six letters or digits, among them a small
// letter and a capital after the first, as QSaveFile's random names and ours
// have and a word has not) and "<store>.previous-<pid>" (the copy that older
// versions kept while they wrote) of a process no longer running. A copy of the
// program writes its new contents only under the lock; an older one made its
// previous-copy before it took the lock, hence the process asked.
void removeStoreLeftovers(const QString& storePath, const PosixCalls& calls);

// Puts the bytes in place of the store's file in one step: written beside it,
// flushed to the device, given the file's mode (and, for root, its owner),
// renamed over it, and the folder flushed. False when a step fails, the file
// then as it was (but where only the folder's flush failed). A file that no one
// may write is read-only for root as well: it is not replaced.
bool replaceStoreFile(const QString& storePath, QByteArrayView bytes, const PosixCalls& calls);
