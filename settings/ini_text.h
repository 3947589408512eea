#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <utility>

// The text of the store's INI file as QSettings reads it, changed without
// QSettings, which can write only a whole file of its own making and only
// through its own file operations.
namespace IniText {

using Values = QList<std::pair<QString, QString>>;

// Whether QSettings would parse the text without a format error: not one that
// begins with a byte-order mark, for one.
bool parses(QByteArrayView text);

// The text with the values set in the section: each value's line replaced where
// the section has one (its repetitions dropped), the others added at the end of
// the section, and the section added at the end where the text has none. Every
// other byte stays as it was. Lines are written as QSettings writes them.
QByteArray withValues(QByteArrayView text, const QString& section, const Values& values);

// "key=value" as QSettings writes a text value, without the line's end.
QByteArray line(const QString& key, const QString& value);

} // namespace IniText
