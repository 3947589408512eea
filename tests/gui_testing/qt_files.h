#pragma once

#include <QByteArray>
#include <QString>

// test_files.h's readFile and writeFile over Qt's names and bytes.

// The whole file, one of the program's resources too; empty when there is none.
QByteArray readFile(const QString& path);

// The file, and its folder where missing, made anew with exactly these bytes; throws when it cannot be.
void writeFile(const QString& path, const QByteArray& bytes);
