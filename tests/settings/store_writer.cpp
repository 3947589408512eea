// Writes the values "First" and "Second" in turn, round after round, until it
// is killed: the crash test kills it in the middle of a save. With --hold, it
// takes the store's lock as a save does and stops itself there.
#include "settings_store.h"

#include <QCoreApplication>
#include <QLockFile>
#include <csignal>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.at(1) == QStringLiteral("--hold")) {
        QLockFile lock(arguments.at(2) + QStringLiteral(".lock"));
        lock.lock();
        std::raise(SIGSTOP);
        return 0;
    }
    const QString filePath = arguments.at(1);
    for (int round = 0;; ++round) {
        SettingsStore store(filePath, QStringLiteral("TFPral"));
        store.writeText(QStringLiteral("First"), QString::number(round));
        store.writeText(QStringLiteral("Second"), QString::number(round));
    }
}
