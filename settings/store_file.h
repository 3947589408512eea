#pragma once

#include "posix_calls.h"

#include <QByteArrayView>
#include <QString>

// The one way the store's file and its copies are written, with the store's lock
// held (StoreLock). A file written over keeps its mode, owner, group, ACL and
// extended attributes and stays the same file where it has other names: a new
// file takes its place in one step where it can carry all of that, otherwise it
// is written in place after a copy of it has been made safe. The program leaves
// nothing else beside the store than "<store>.~cribaxon-new" and
// "<store>.~cribaxon-copy", and only where a save was killed part-way; the next
// save takes them away, and a file written in place part-way is then put back
// as it was from its copy.
namespace StoreFile {

// Puts the bytes in place of the store's file (through a symbolic link, of the
// file it leads to), flushed to the device. False when a step fails; the file
// is then as it was (but where only the flush of its folder failed). A file
// that no one may write is read-only for root as well: it is not written.
bool replace(const QString& storePath, QByteArrayView bytes, const PosixCalls& calls);

// A new file of these bytes beside the store, flushed, readable by its owner
// alone. False when the file exists or a step fails; nothing is then left.
bool create(const QString& path, QByteArrayView bytes, const PosixCalls& calls);

// Whether a save was killed as it wrote the file in place.
bool wasCutShort(const QString& storePath);

// Takes away what a killed save left, putting back a file written in place part-way. False when that fails.
bool recover(const QString& storePath, const PosixCalls& calls);

} // namespace StoreFile
