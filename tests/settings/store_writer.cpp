// Saves the values "First" and "Second" together, round after round, until it
// is killed: the crash test kills it in the middle of a save. With --hold, it
// takes the store's lock as a save does and stops itself there; with
// --hold-for MS, it keeps the lock that long and ends.
#include "ini_settings_store.h"
#include "store_lock.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QThread>
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
    if (arguments.at(1) == QStringLiteral("--hold-for")) {
        const StoreLock lock(arguments.at(3));
        QThread::msleep(arguments.at(2).toULong());
        return lock.isLocked() ? 0 : 1;
    }
    IniSettingsStore store(arguments.at(1), PosixCalls::system());
    for (int round = 0;; ++round) {
        const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
        key->writeText("First", std::to_string(round));
        key->writeText("Second", std::to_string(round));
        key->close();
    }
}
