#include "damaged_store.h"
#include "qt_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class DamagedStoreTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setAside_data();
    void setAside();
};

void DamagedStoreTest::setAside_data()
{
    QTest::addColumn<QByteArray>("text"); // null: a folder stands in the store's place
    QTest::addColumn<bool>("copyNameTaken");
    QTest::addColumn<QByteArray>("storeAfter");
    QTest::addColumn<bool>("copied");
    const QByteArray whole = "[TFPral]\nFormVersion=0\n";
    const QByteArray mark = "\xEF\xBB\xBF";
    const QByteArray unclosed = whole + "[Notes\nA=1\n";
    QTest::addRow("whole") << whole << false << whole << false;
    QTest::addRow("byte-order mark") << mark + whole << false << whole << false;
    QTest::addRow("unclosed section") << unclosed << false << QByteArray() << true;
    QTest::addRow("byte-order mark and unclosed section") << mark + unclosed << false << QByteArray() << true;
    QTest::addRow("copy's name taken") << unclosed << true << unclosed << false;
    QTest::addRow("folder in the store's place") << QByteArray() << false << QByteArray() << false;
}

void DamagedStoreTest::setAside()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, copyNameTaken);
    QFETCH(QByteArray, storeAfter);
    QFETCH(bool, copied);
    const QTemporaryDir folder;
    const QString store = folder.filePath(u"store.conf"_s);
    const QString copy = store + u".damaged-20240131-140509"_s;
    if (text.isNull())
        QVERIFY(QDir().mkdir(store));
    else
        writeFile(store, text);
    if (copyNameTaken)
        writeFile(copy, "earlier copy");

    QCOMPARE(setAsideDamagedStore(store, QDateTime(QDate(2024, 1, 31), QTime(14, 5, 9)), PosixCalls::system()),
             copied ? std::optional(copy) : std::nullopt);

    QCOMPARE(QFileInfo(store).isDir(), text.isNull());
    QCOMPARE(readFile(store), storeAfter);
    QCOMPARE(readFile(copy), copied ? text : copyNameTaken ? "earlier copy"_ba : QByteArray());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             copied || copyNameTaken ? 2 : 1);
}

QTEST_GUILESS_MAIN(DamagedStoreTest)
#include "tst_damaged_store.moc"
