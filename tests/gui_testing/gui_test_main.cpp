#include "gui_test_main.h"

#include <QDir>
#include <QTemporaryDir>

void isolateUserFolders()
{
    static QTemporaryDir home;
    Q_ASSERT(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral(".cache"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    QDir().mkpath(home.filePath(QStringLiteral(".config")));
}
