#include "faulty_calls.h"
#include "ini_settings_store.h"
#include "qt_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace Qt::StringLiterals;

namespace {

using FaultyCalls::Call;

struct stat statusOf(const QString& path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
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

// One save of the values through a key, as the window's close makes it.
QString save(SettingsStore& store, const QList<std::pair<std::string, std::string>>& values)
{
    return errorOf([&] {
        const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
        for (const auto& [name, text] : values)
            key->writeText(name, text);
        key->close();
    });
}

QString saveValue(const QString& path, const PosixCalls& calls = PosixCalls::system())
{
    IniSettingsStore store(path, calls);
    return save(store, {{"Value", "2"}});
}

// An ACL as the kernel keeps it in system.posix_acl_access: its owner, nobody
// and its group as given, mask and others.
QByteArray acl(int owner, int nobody, int group, int mask, int other)
{
    QByteArray bytes("\x02\x00\x00\x00", 4);
    const auto entry = [&bytes](quint16 tag, quint16 permissions, quint32 id) {
        bytes.append(reinterpret_cast<const char*>(&tag), 2);
        bytes.append(reinterpret_cast<const char*>(&permissions), 2);
        bytes.append(reinterpret_cast<const char*>(&id), 4);
    };
    entry(0x01, quint16(owner), 0xffffffff);
    if (nobody >= 0)
        entry(0x02, quint16(nobody), 65534);
    entry(0x04, quint16(group), 0xffffffff);
    if (mask >= 0)
        entry(0x10, quint16(mask), 0xffffffff);
    entry(0x20, quint16(other), 0xffffffff);
    return bytes;
}

QByteArray attribute(const QString& path, const char* name)
{
    QByteArray value(256, '\0');
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value.data(), value.size());
    return size < 0 ? QByteArray() : value.first(size);
}

bool setAttribute(const QString& path, const char* name, const QByteArray& value)
{
    return ::setxattr(QFile::encodeName(path).constData(), name, value.constData(), value.size(), 0) == 0;
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
    void saveIsOneReplacement();
    void unparsableFileIsNeverWrittenOver_data();
    void unparsableFileIsNeverWrittenOver();
    void blockedStoreFailsToCreateTheKey_data();
    void blockedStoreFailsToCreateTheKey();
    void failedWriteLeavesTheFileAsItWas_data();
    void failedWriteLeavesTheFileAsItWas();
    void writeKeepsWhatTheFileHas_data();
    void writeKeepsWhatTheFileHas();
    void lockLeftBehind_data();
    void lockLeftBehind();
    void holdersInTurnAreWaitedFor();
    void neighboursOfTheStore_data();
    void neighboursOfTheStore();
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
    const QString path = IniSettingsStore::programFilePath();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QCOMPARE(path, m_folder->filePath(expectedFolder + u"/Software/tst_settings_store.conf"_s));
}

void SettingsStoreTest::openingCreatesAnEmptyKey()
{
    IniSettingsStore store(storePath(), PosixCalls::system());
    store.openProgramKey("TFPral")->close();
    QVERIFY(QFileInfo(storePath()).isFile());
    QCOMPARE(readFile(storePath()), QByteArray());
}

void SettingsStoreTest::valueTypes_data()
{
    QTest::addColumn<QByteArray>("fileText");
    QTest::addColumn<QString>("expected"); // null: absent
    QTest::addColumn<QString>("error");
    const QString badType = u"Tipo de dato inválido para 'Value'"_s;
    QTest::addRow("plain text") << "[TFPral]\nValue=abc\n"_ba << u"abc"_s << QString();
    QTest::addRow("quoted with commas") << "[TFPral]\nValue=\"a,b\"\n"_ba << u"a,b"_s << QString();
    QTest::addRow("unquoted commas") << "[TFPral]\nValue=100,200\n"_ba << u"100,200"_s << QString();
    QTest::addRow("unquoted commas and blanks") << "[TFPral]\nValue=100, 200\n"_ba << u"100,200"_s << QString();
    QTest::addRow("empty") << "[TFPral]\nValue=\n"_ba << u""_s << QString();
    QTest::addRow("escaped at sign") << "[TFPral]\nValue=@@x\n"_ba << u"@x"_s << QString();
    QTest::addRow("empty byte array") << "[TFPral]\nValue=@ByteArray()\n"_ba << u""_s << QString();
    QTest::addRow("byte array") << "[TFPral]\nValue=@ByteArray(2)\n"_ba << QString() << badType;
    QTest::addRow("variant") << "[TFPral]\nValue=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"_ba << QString() << badType;
    QTest::addRow("rectangle") << "[TFPral]\nValue=@Rect(1 2 3 4)\n"_ba << QString() << badType;
    QTest::addRow("invalid") << "[TFPral]\nValue=@Invalid()\n"_ba << QString() << badType;
    QTest::addRow("absent") << "[TFPral]\nOther=x\n"_ba << QString() << QString();
    QTest::addRow("in another section") << "[Other]\nValue=x\n"_ba << QString() << QString();
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
    IniSettingsStore store(storePath(), PosixCalls::system());
    const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
    std::optional<std::string> text;
    QCOMPARE(errorOf([&] { text = key->readText("Value"); }), error);
    QCOMPARE(text ? QString::fromStdString(*text) : QString(), expected);
    QCOMPARE(text.has_value(), !expected.isNull());
}

// The whole save is one lock, one new file, one rename and their flushes (the
// lock's own, the file's and its folder's), whatever its number of values; a
// value written twice keeps the last text.
void SettingsStoreTest::saveIsOneReplacement()
{
    writeFile(storePath(), "[TFPral]\nA=0\n");
    FaultyCalls::reset();
    IniSettingsStore store(storePath(), FaultyCalls::calls());
    QCOMPARE(save(store, {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"A", "4"}}), QString());
    QCOMPARE(readFile(storePath()), "[TFPral]\nA=4\nB=2\nC=3\n"_ba);
    QCOMPARE(FaultyCalls::count(Call::Rename), 1);
    QCOMPARE(FaultyCalls::count(Call::Fdatasync) + FaultyCalls::count(Call::Fsync), 2);
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
    IniSettingsStore store(storePath(), PosixCalls::system());
    const std::unique_ptr<ProgramKey> key = store.openProgramKey("TFPral");
    writeFile(storePath(), text);
    if (!brokenAfterOpening)
        QCOMPARE(errorOf([&] { key->readText("Value"); }), u"Error al leer 'Value'"_s);
    key->writeText("Value", "2");
    QCOMPARE(errorOf([&] { key->close(); }), u"Error al guardar 'Value'"_s);
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
    IniSettingsStore store(storePath(), PosixCalls::system());
    QCOMPARE(save(store, {{"FormVersion", "0"}}), u"Error al crear la llave TFPral"_s);
}

void SettingsStoreTest::failedWriteLeavesTheFileAsItWas_data()
{
    QTest::addColumn<Call>("failing");
    QTest::addColumn<int>("nth"); // 0: none
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("hardLinked"); // written in place after a copy
    QTest::addColumn<bool>("replaced");
    QTest::addRow("flush of the new file fails") << Call::Fdatasync << 1 << EIO << false << false;
    QTest::addRow("write finds the disk full") << Call::Write << 1 << ENOSPC << false << false;
    QTest::addRow("rename fails") << Call::Rename << 1 << EIO << false << false;
    QTest::addRow("flush of the folder fails") << Call::Fsync << 1 << EIO << false << true;
    QTest::addRow("copy cannot be flushed") << Call::Fdatasync << 1 << EIO << true << false;
    QTest::addRow("written in place, the disk full") << Call::Write << 2 << ENOSPC << true << false;
    QTest::addRow("written in place, not cut") << Call::Ftruncate << 1 << EIO << true << false;
    QTest::addRow("written in place, not flushed") << Call::Fdatasync << 2 << EIO << true << false;
    // As the command line treats a destination, root included.
    QTest::addRow("read-only file") << Call::Open << 0 << 0 << false << false;
}

void SettingsStoreTest::failedWriteLeavesTheFileAsItWas()
{
    QFETCH(Call, failing);
    QFETCH(int, nth);
    QFETCH(int, error);
    QFETCH(bool, hardLinked);
    QFETCH(bool, replaced);
    const QByteArray before = "[TFPral]\nValue=1\n";
    writeFile(storePath(), before);
    if (hardLinked)
        QCOMPARE(
            ::link(QFile::encodeName(storePath()).constData(), QFile::encodeName(storePath(u"link"_s)).constData()), 0);
    if (!nth)
        QVERIFY(QFile::setPermissions(storePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    FaultyCalls::reset();
    FaultyCalls::plan = {.failCall = failing, .failNth = nth, .error = error};
    QCOMPARE(saveValue(storePath(), FaultyCalls::calls()), u"Error al guardar 'Value'"_s);
    QCOMPARE(readFile(storePath()) == before, !replaced);
    QStringList expected {u"store"_s};
    if (hardLinked)
        expected.prepend(u"link"_s);
    QCOMPARE(storeFolder(), expected);
    if (!nth)
        QCOMPARE(statusOf(storePath()).st_mode & 07777, 0444u);
}

void SettingsStoreTest::writeKeepsWhatTheFileHas_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<bool>("inPlace");
    QTest::addRow("mode") << u"mode 0600"_s << false;
    QTest::addRow("an ACL of its own") << u"acl"_s << false;
    QTest::addRow("no ACL in a folder with a default one") << u"default acl"_s << false;
    QTest::addRow("extended attribute") << u"attribute"_s << false;
    QTest::addRow("another name") << u"hard link"_s << true;
    QTest::addRow("symbolic link") << u"symbolic link"_s << false;
    // As another user's file, written by a member of its group: only root gives a file away.
    QTest::addRow("what a new file cannot be given") << u"refused"_s << true;
}

// What a careful editor keeps: the file's mode, ACL, attributes, names and owner.
void SettingsStoreTest::writeKeepsWhatTheFileHas()
{
    QFETCH(QString, setUp);
    QFETCH(bool, inPlace);
    writeFile(storePath(), "[TFPral]\nValue=1\n");
    QString path = storePath();
    if (setUp == u"mode 0600"_s)
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    if (setUp == u"acl"_s) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(setAttribute(path, "system.posix_acl_access", acl(6, 6, 4, 6, 0)));
    }
    if (setUp == u"default acl"_s)
        QVERIFY(setAttribute(storePath(u""_s), "system.posix_acl_default", acl(6, 4, 4, 4, 4)));
    if (setUp == u"attribute"_s)
        QVERIFY(setAttribute(path, "user.cribaxon-test", "kept"));
    if (setUp == u"hard link"_s)
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(storePath(u"link"_s)).constData()) == 0);
    if (setUp == u"symbolic link"_s) {
        QVERIFY(QFile::rename(path, storePath(u"target"_s)));
        QVERIFY(QFile::link(u"target"_s, path));
    }
    FaultyCalls::reset();
    if (setUp == u"refused"_s)
        FaultyCalls::plan = {.failCall = Call::Fchmod, .failNth = 1, .error = EPERM};
    const QString target = QFileInfo(path).canonicalFilePath();
    const struct stat before = statusOf(target);
    const QByteArray aclBefore = attribute(target, "system.posix_acl_access");
    const QByteArray attributeBefore = attribute(target, "user.cribaxon-test");

    QCOMPARE(saveValue(path, FaultyCalls::calls()), QString());

    QCOMPARE(readFile(path), "[TFPral]\nValue=2\n"_ba);
    const struct stat after = statusOf(target);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_ino == before.st_ino, inPlace);
    QCOMPARE(attribute(target, "system.posix_acl_access"), aclBefore);
    QCOMPARE(attribute(target, "user.cribaxon-test"), attributeBefore);
    QCOMPARE(QFileInfo(path).isSymLink(), setUp == u"symbolic link"_s);
    if (setUp == u"hard link"_s)
        QCOMPARE(readFile(storePath(u"link"_s)), "[TFPral]\nValue=2\n"_ba);
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
    QCOMPARE(saveValue(storePath()), error);
    QCOMPARE(readFile(storePath()).contains("Value=2"), error.isEmpty());
    holder.kill();
    holder.waitForFinished();
}

// Windows closed at once save in turn: a save waits as long as the lock passes on.
void SettingsStoreTest::holdersInTurnAreWaitedFor()
{
    writeFile(storePath(), {});
    QProcess first, second;
    first.start(QStringLiteral(STORE_WRITER_PATH), {u"--hold-for"_s, u"500"_s, storePath()});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY(QFileInfo::exists(storePath() + u".lock"_s));
    second.start(QStringLiteral(STORE_WRITER_PATH), {u"--hold-for"_s, u"500"_s, storePath()});
    QVERIFY(second.waitForStarted());
    QCOMPARE(saveValue(storePath()), QString());
    QVERIFY(first.waitForFinished());
    QVERIFY(second.waitForFinished());
    QCOMPARE(first.exitCode() + second.exitCode(), 0);
}

void SettingsStoreTest::neighboursOfTheStore_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("store"); // the store's text before the save
    QTest::addColumn<bool>("removed");
    const QByteArray whole = "[TFPral]\nValue=0\n";
    QTest::addRow("a person's copy") << u"store.myCopy"_s << whole << false;
    QTest::addRow("old settings") << u"store.OldCfg"_s << whole << false;
    QTest::addRow("mixed case and digits") << u"store.v2Test"_s << whole << false;
    QTest::addRow("as another program names its new contents") << u"store.qWErty"_s << whole << false;
    QTest::addRow("damaged copy") << u"store.damaged-20261208-101500"_s << whole << false;
    QTest::addRow("new contents of a killed save") << u"store.~cribaxon-new"_s << whole << true;
    // The copy made before a write in place that was killed part-way: the file comes back first.
    QTest::addRow("copy of a write killed in place") << u"store.~cribaxon-copy"_s << "[TFPral]\nVal"_ba << true;
}

// The program removes only what it can prove it made.
void SettingsStoreTest::neighboursOfTheStore()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, store);
    QFETCH(bool, removed);
    writeFile(storePath(), store);
    writeFile(storePath(name), "[TFPral]\nValue=0\nOther=1\n");
    QCOMPARE(saveValue(storePath()), QString());
    QCOMPARE(QFileInfo::exists(storePath(name)), !removed);
    const bool putBack = name.endsWith(u"copy"_s);
    QCOMPARE(readFile(storePath()), putBack ? "[TFPral]\nValue=2\nOther=1\n"_ba : "[TFPral]\nValue=2\n"_ba);
}

void SettingsStoreTest::crashMidSaveLeavesAWholeFile()
{
    // The writer saves First and Second together with their round's number: a
    // whole file holds the same round in both.
    static const QRegularExpression whole(u"^\\[TFPral\\]\\nFirst=(\\d+)\\nSecond=(\\d+)\\n$"_s);
    for (int attempt = 0; attempt < 20; ++attempt) {
        QFile::remove(storePath());
        QProcess writer;
        writer.start(QStringLiteral(STORE_WRITER_PATH), {storePath()});
        QVERIFY(writer.waitForStarted());
        // Killed after a first save, at whatever point of another it has reached.
        QTRY_VERIFY(QFileInfo(storePath()).size() > 0);
        writer.kill();
        QVERIFY(writer.waitForFinished());

        const QString text = QString::fromUtf8(readFile(storePath()));
        const QRegularExpressionMatch match = whole.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        QCOMPARE(match.captured(1), match.captured(2));
    }
    // What the killed saves left, and their lock, the next save takes away.
    QCOMPARE(saveValue(storePath()), QString());
    QCOMPARE(storeFolder(), QStringList {u"store"_s});
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
