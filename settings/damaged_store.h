#pragma once

#include "posix_calls.h"

#include <QDateTime>
#include <QString>
#include <optional>

// Makes a store file that cannot be parsed usable again, before it is read. A file whose only
// fault is the UTF-8 byte-order mark that some editors write loses the mark. A file with any
// other fault is copied, byte for byte, to "<file>.damaged-<yyyyMMdd>-<HHmmss>" (the time given)
// beside it and then emptied; the copy's path is returned. A file that parses, cannot be read,
// or cannot be copied keeps what it holds. Both are writes of the store as any other (StoreFile).
std::optional<QString> setAsideDamagedStore(const QString& filePath, const QDateTime& now, const PosixCalls& calls);
