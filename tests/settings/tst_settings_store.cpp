#include "faulty_calls.h"
#include "qt_files.h"
#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString Section = u"TFPral"_s;

using FaultyCalls::Call;

mode_t modeOf(const QString& path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

template <typename Operation> QString errorOf(Operation operation)
{
    try {
        operation();
    } catch (const ESettingsStoreError& error) {
        return QString::fromStdString(error.message());
    }
    return {};
}

} // namespace

class SettingsStoreTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void programFileFollowsConfigurationFolder_data();
    void programFileFollowsConfigurationFolder();
    void openingCreatesAnEmptyKey();
    void valueTypes_data();
    void valueTypes();
    void writtenTextReadsBackInAFreshStore_data();
    void writtenTextReadsBackInAFreshStore();
    void unparsableFileIsNeverWrittenOver_data();
    void unparsableFileIsNeverWrittenOver();
    void blockedStoreFailsToCreateTheKey_data();
    void blockedStoreFailsToCreateTheKey();
    void failedWriteLeavesTheFileAsItWas_data();
    void failedWriteLeavesTheFileAsItWas();
    void writeKeepsTheFileMode();
    void lockLeftBehind_data();
    void lockLeftBehind();
    void leftoversOfKilledSaves_data();
    void leftoversOfKilledSaves();
    void crashMidSaveLeavesAWholeFile();

private:
    QString storePath(const QString& name = u"store"_s) const { return m_folder->filePath(u"Software/"_s + name); }
    QStringList storeFolder() const { return QDir(storePath(u""_s)).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void SettingsStoreTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void SettingsStoreTest::programFileFollowsConfigurationFolder_data()
{
    QTest::addColumn<QByteArray>("configHome");
    QTest::addColumn<QString>("expectedFolder");
    QTest::addRow("XDG_CONFIG_HOME set") << "%FOLDER%/xdg"_ba << u"xdg"_s;
    QTest::addRow("XDG_CONFIG_HOME unset") << QByteArray() << u"home/.config"_s;
    QTest::addRow("XDG_CONFIG_HOME relative") << "xdg"_ba << u"home/.config"_s;
}

void SettingsStoreTest::programFileFollowsConfigurationFolder()
{
    QFETCH(QByteArray, configHome);
    QFETCH(QString, expectedFolder);
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(m_folder->filePath(u"home"_s)));
    if (configHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", configHome.replace("%FOLDER%", QFile::encodeName(m_folder->path())));
    const QString path = SettingsStore::programFilePath();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QCOMPARE(path, m_folder->filePath(expectedFolder + u"/Software/tst_settings_store.conf"_s));
}

void SettingsStoreTest::openingCreatesAnEmptyKey()
{
    {
        const SettingsStore store(storePath(), Section);
    }
    QVERIFY(QFileInfo(storePath()).isFile());
    QCOMPARE(readFile(storePath()), QByteArray());
}

void SettingsStoreTest::valueTypes_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("error");
    const QString badType = u"Tipo de dato inválido para 'Value'"_s;
    QTest::addRow("plain text") << "[TFPral]\nValue=abc\n"_ba << u"abc"_s << QString();
    QTest::addRow("quoted with commas") << "[TFPral]\nValue=\"a,b\"\n"_ba << u"a,b"_s << QString();
    QTest::addRow("unquoted commas") << "[TFPral]\nValue=100,200\n"_ba << u"100,200"_s << QString();
    QTest::addRow("unquoted commas and blanks") << "[TFPral]\nValue=100, 200\n"_ba << u"100,200"_s << QString();
    QTest::addRow("empty") << "[TFPral]\nValue=\n"_ba << QString() << QString();
    QTest::addRow("escaped at sign") << "[TFPral]\nValue=@@x\n"_ba << u"@x"_s << QString();
    QTest::addRow("empty byte array") << "[TFPral]\nValue=@ByteArray()\n"_ba << QString() << QString();
    QTest::addRow("byte array") << "[TFPral]\nValue=@ByteArray(2)\n"_ba << QString() << badType;
    QTest::addRow("variant") << "[TFPral]\nValue=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"_ba << QString() << badType;
    QTest::addRow("rectangle") << "[TFPral]\nValue=@Rect(1 2 3 4)\n"_ba << QString() << badType;
    QTest::addRow("invalid") << "[TFPral]\nValue=@Invalid()\n"_ba << QString() << badType;
    QTest::addRow("absent") << "[TFPral]\nOther=x\n"_ba << u"default"_s << QString();
    QTest::addRow("in another section") << "[Other]\nValue=x\n"_ba << u"default"_s << QString();
    QTest::addRow("typed by a person") << "[TFPral]\nValue = /tmp/Espa\xc3\xb1"
                                          "a.mdb \n"_ba
                                       << u"/tmp/España.mdb"_s << QString();
}

void SettingsStoreTest::valueTypes()
{
    QFETCH(QByteArray, fileText);
    QFETCH(QString, expected);
    QFETCH(QString, error);
    writeFile(storePath(), fileText);
    const SettingsStore store(storePath(), Section);
    QString text;
    QCOMPARE(errorOf([&] { text = store.readText(u"Value"_s, u"default"_s); }), error);
    QCOMPARE(text, expected);
}

void SettingsStoreTest::writtenTextReadsBackInAFreshStore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::addRow("position") << u"450,170,750,564"_s << "Value=\"450,170,750,564\"\n"_ba;
    QTest::addRow("name with blanks") << u"/tmp/a b.mdb"_s << "Value=/tmp/a b.mdb\n"_ba;
    QTest::addRow("accented name") << u"/tmp/España.mdb"_s
                                   << "Value=/tmp/Espa\xc3\xb1"
                                      "a.mdb\n"_ba;
    QTest::addRow("surrounding blanks") << u"  x  "_s << "Value=\"  x  \"\n"_ba;
    QTest::addRow("at sign first") << u"@ByteArray(x)"_s << "Value=@@ByteArray(x)\n"_ba;
    QTest::addRow("separators of the file") << u"a;b=c"_s << "Value=\"a;b=c\"\n"_ba;
    QTest::addRow("quotes") << u"\"q\""_s << "Value=\\\"q\\\"\n"_ba;
    QTest::addRow("line break") << u"a\nb"_s << "Value=a\\nb\n"_ba;
    QTest::addRow("empty") << QString() << "Value=\n"_ba;
}

void SettingsStoreTest::writtenTextReadsBackInAFreshStore()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    {
        SettingsStore store(storePath(), Section);
        store.writeText(u"Value"_s, text);
    }
    QVERIFY2(readFile(storePath()).contains(line), readFile(storePath()).constData());
    // A file of another name is parsed afresh: nothing comes from what this process cached.
    QVERIFY(QFile::copy(storePath(), storePath(u"copy"_s)));
    const SettingsStore copy(storePath(u"copy"_s), Section);
    QCOMPARE(copy.readText(u"Value"_s, u"default"_s), text);
}

void SettingsStoreTest::unparsableFileIsNeverWrittenOver_data()
{
    QTest::addColumn<bool>("brokenAfterOpening");
    QTest::addRow("when the store opens") << false;
    // By a person or another program: only the text read again before writing shows it.
    QTest::addRow("after the store opened") << true;
}

void SettingsStoreTest::unparsableFileIsNeverWrittenOver()
{
    QFETCH(bool, brokenAfterOpening);
    const QByteArray text = "[TFPral]\nValue=1\nnot a value line\n";
    writeFile(storePath(), brokenAfterOpening ? "[TFPral]\nValue=1\n"_ba : text);
    SettingsStore store(storePath(), Section);
    writeFile(storePath(), text);
    if (!brokenAfterOpening)
        QCOMPARE(errorOf([&] { store.readText(u"Value"_s, {}); }), u"Error al leer 'Value'"_s);
    QCOMPARE(errorOf([&] { store.writeText(u"Value"_s, u"2"_s); }), u"Error al guardar 'Value'"_s);
    QCOMPARE(readFile(storePath()), text);
}

void SettingsStoreTest::blockedStoreFailsToCreateTheKey_data()
{
    QTest::addColumn<QString>("blockedPath");
    QTest::addColumn<bool>("blockedByFolder");
    QTest::addRow("regular file where the folder belongs") << u"Software"_s << false;
    QTest::addRow("folder where the file belongs") << u"Software/store"_s << true;
}

void SettingsStoreTest::blockedStoreFailsToCreateTheKey()
{
    QFETCH(QString, blockedPath);
    QFETCH(bool, blockedByFolder);
    const QString blocked = m_folder->filePath(blockedPath);
    if (blockedByFolder)
        QVERIFY(QDir().mkpath(blocked));
    else
        writeFile(blocked, "not a folder");
    SettingsStore store(storePath(), Section);
    QCOMPARE(errorOf([&] { store.writeText(u"FormVersion"_s, u"0"_s); }), u"Error al crear la llave TFPral"_s);
}

void SettingsStoreTest::failedWriteLeavesTheFileAsItWas_data()
{
    QTest::addColumn<Call>("failing");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("replaced");
    QTest::addRow("flush of the new file fails") << Call::Fdatasync << EIO << false << false;
    QTest::addRow("flush finds the disk full") << Call::Fdatasync << ENOSPC << false << false;
    QTest::addRow("write finds the disk full") << Call::Write << ENOSPC << false << false;
    QTest::addRow("mode cannot be given") << Call::Fchmod << EPERM << false << false;
    QTest::addRow("rename fails") << Call::Rename << EIO << false << false;
    QTest::addRow("flush of the folder fails") << Call::Fsync << EIO << false << true;
    // As the command line treats a destination, root included.
    QTest::addRow("read-only file") << Call::Open << 0 << true << false;
}

void SettingsStoreTest::failedWriteLeavesTheFileAsItWas()
{
    QFETCH(Call, failing);
    QFETCH(int, error);
    QFETCH(bool, readOnly);
    QFETCH(bool, replaced);
    const QByteArray before = "[TFPral]\nValue=1\n";
    writeFile(storePath(), before);
    if (readOnly)
        QVERIFY(QFile::setPermissions(storePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    FaultyCalls::reset();
    FaultyCalls::plan = {.failCall = failing, .failNth = error ? 1 : 0, .error = error};
    SettingsStore store(storePath(), Section, FaultyCalls::calls());
    QCOMPARE(errorOf([&] { store.writeText(u"Value"_s, u"2"_s); }), u"Error al guardar 'Value'"_s);
    QCOMPARE(readFile(storePath()) == before, !replaced);
    QCOMPARE(storeFolder(), QStringList {u"store"_s});
    if (readOnly)
        QCOMPARE(modeOf(storePath()), 0444u);
}

void SettingsStoreTest::writeKeepsTheFileMode()
{
    writeFile(storePath(), {});
    QVERIFY(QFile::setPermissions(storePath(), QFile::ReadOwner | QFile::WriteOwner));
    SettingsStore(storePath(), Section).writeText(u"Value"_s, u"1"_s);
    QCOMPARE(modeOf(storePath()), 0600u);
}

void SettingsStoreTest::lockLeftBehind_data()
{
    QTest::addColumn<QString>("leftBy");
    QTest::addColumn<QString>("error");
    QTest::addRow("a process that ended") << u"ended"_s << QString();
    QTest::addRow("a process killed before it wrote its number") << u"empty"_s << QString();
    QTest::addRow("a stopped process") << u"stopped"_s << u"Error al guardar 'Value'"_s;
}

// Never waited for long, whoever left it: the test would time out.
void SettingsStoreTest::lockLeftBehind()
{
    QFETCH(QString, leftBy);
    QFETCH(QString, error);
    QProcess holder;
    writeFile(storePath(), {});
    if (leftBy == u"empty"_s) {
        writeFile(storePath() + u".lock"_s, {});
    } else {
        holder.start(QStringLiteral(STORE_WRITER_PATH), {u"--hold"_s, storePath()});
        QVERIFY(holder.waitForStarted());
        const QString state = u"/proc/%1/stat"_s.arg(holder.processId());
        QTRY_VERIFY(QString::fromLatin1(readFile(state)).section(u") "_s, 1).startsWith(u'T'));
        if (leftBy == u"ended"_s) {
            holder.kill();
            QVERIFY(holder.waitForFinished());
        }
    }
    QVERIFY(QFileInfo::exists(storePath() + u".lock"_s));
    SettingsStore store(storePath(), Section);
    QCOMPARE(errorOf([&] { store.writeText(u"Value"_s, u"1"_s); }), error);
    QCOMPARE(readFile(storePath()).contains("Value=1"), error.isEmpty());
    holder.kill();
    holder.waitForFinished();
}

void SettingsStoreTest::leftoversOfKilledSaves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::addRow("new contents not yet in place") << u"store.qWErty"_s << true;
    QTest::addRow("with digits") << u"store.a1B2c3"_s << true;
    QTest::addRow("previous copy of an ended process") << u"store.previous-%ENDED%"_s << true;
    QTest::addRow("previous copy of a live process") << u"store.previous-1"_s << false;
    QTest::addRow("a word") << u"store.backup"_s << false;
    QTest::addRow("a capitalized word") << u"store.Backup"_s << false;
    QTest::addRow("five letters") << u"store.qWErt"_s << false;
    QTest::addRow("seven letters") << u"store.qWErtyu"_s << false;
    QTest::addRow("another store's") << u"other.qWErty"_s << false;
    QTest::addRow("damaged copy") << u"store.damaged-20261208-101500"_s << false;
}

void SettingsStoreTest::leftoversOfKilledSaves()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);
    QProcess ended;
    ended.start(u"true"_s, {});
    QVERIFY(ended.waitForStarted());
    name.replace(u"%ENDED%"_s, QString::number(ended.processId()));
    QVERIFY(ended.waitForFinished());
    writeFile(storePath(name), "[TFPral]\nValue=0\n");
    SettingsStore(storePath(), Section).writeText(u"Value"_s, u"1"_s);
    QCOMPARE(QFileInfo::exists(storePath(name)), !removed);
}

void SettingsStoreTest::crashMidSaveLeavesAWholeFile()
{
    // The writer stores First and then Second, each with its round number:
    // a whole file holds the same round in both, or First one round ahead.
    static const QRegularExpression whole(u"^\\[TFPral\\]\\nFirst=(\\d+)\\n(?:Second=(\\d+)\\n)?$"_s);
    for (int attempt = 0; attempt < 20; ++attempt) {
        QFile::remove(storePath());
        QProcess writer;
        writer.start(QStringLiteral(STORE_WRITER_PATH), {storePath()});
        QVERIFY(writer.waitForStarted());
        QTRY_VERIFY(QFileInfo(storePath()).size() > 0);
        QTest::qSleep(QRandomGenerator::global()->bounded(1, 30));
        writer.kill();
        QVERIFY(writer.waitForFinished());

        const QString text = QString::fromUtf8(readFile(storePath()));
        const QRegularExpressionMatch match = whole.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        // Before the first Second is written, First can only be 0.
        const int first = match.captured(1).toInt();
        const int second = match.hasCaptured(2) ? match.captured(2).toInt() : -1;
        QVERIFY2(first == second || first == second + 1, qPrintable(text));
    }
    // What the killed writes left, and their lock, the next write takes away.
    SettingsStore(storePath(), Section).writeText(u"First"_s, u"0"_s);
    QCOMPARE(storeFolder(), QStringList {u"store"_s});
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
