#include "qt_files.h"

#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string_view>

QByteArray readFile(const QString& path)
{
    // Through QFile, which reads the program's resources as well.
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    writeFile(QFile::encodeName(path).toStdString(),
              std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
