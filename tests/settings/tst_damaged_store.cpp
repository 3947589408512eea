#include "damaged_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Now(QDate(2024, 1, 31), QTime(14, 5, 9));
const QByteArray Mark = "\xEF\xBB\xBF";
const QByteArray Whole = "[TFPral]\nFormVersion=0\nRF_Checked=True\n";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

class DamagedStoreTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void setAside_data();
    void setAside();
    void leftAsItIs_data();
    void leftAsItIs();

private:
    QString path(const QString& name = u"store.conf"_s) const { return m_folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void DamagedStoreTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void DamagedStoreTest::setAside_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("storeAfter");
    QTest::addColumn<bool>("copied");
    const QByteArray unclosed = Whole + "[Notes\nA=1\n";
    QTest::addRow("whole") << Whole << Whole << false;
    QTest::addRow("empty") << QByteArray() << QByteArray() << false;
    QTest::addRow("byte-order mark") << Mark + Whole << Whole << false;
    QTest::addRow("byte-order mark alone") << Mark << QByteArray() << false;
    QTest::addRow("unclosed section") << unclosed << QByteArray() << true;
    QTest::addRow("line that is no value") << Whole + "no value\n" << QByteArray() << true;
    QTest::addRow("byte-order mark and unclosed section") << Mark + unclosed << QByteArray() << true;
}

void DamagedStoreTest::setAside()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, storeAfter);
    QFETCH(bool, copied);
    QVERIFY(writeFile(path(), text));

    const std::optional<QString> copy = setAsideDamagedStore(path(), Now);

    const QString copyName = u"store.conf.damaged-20240131-140509"_s;
    QCOMPARE(copy, copied ? std::optional(path(copyName)) : std::nullopt);
    QCOMPARE(contents(path()), storeAfter);
    QCOMPARE(contents(path(copyName)), copied ? text : QByteArray());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden),
             copied ? QStringList({u"store.conf"_s, copyName}) : QStringList(u"store.conf"_s));
}

void DamagedStoreTest::leftAsItIs_data()
{
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::addRow("folder in the store's place") << true;
    QTest::addRow("copy's name taken") << false;
}

void DamagedStoreTest::leftAsItIs()
{
    QFETCH(bool, folderInItsPlace);
    const QByteArray damaged = Whole + "no value\n";
    const QString taken = path(u"store.conf.damaged-20240131-140509"_s);
    if (folderInItsPlace)
        QVERIFY(QDir().mkdir(path()));
    else
        QVERIFY(writeFile(path(), damaged) && writeFile(taken, "earlier copy"));

    QCOMPARE(setAsideDamagedStore(path(), Now), std::nullopt);

    QCOMPARE(QFileInfo(path()).isDir(), folderInItsPlace);
    QCOMPARE(contents(path()), folderInItsPlace ? QByteArray() : damaged);
    QCOMPARE(contents(taken), folderInItsPlace ? QByteArray() : "earlier copy"_ba);
}

QTEST_GUILESS_MAIN(DamagedStoreTest)
#include "tst_damaged_store.moc"
