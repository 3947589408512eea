// Writes the values "First" and "Second" in turn, round after round, until it
// is killed: the crash test kills it in the middle of a save.
#include "settings_store.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString filePath = QCoreApplication::arguments().at(1);
    for (int round = 0;; ++round) {
        SettingsStore store(filePath, QStringLiteral("TFPral"));
        store.writeText(QStringLiteral("First"), QString::number(round));
        store.writeText(QStringLiteral("Second"), QString::number(round));
    }
}
