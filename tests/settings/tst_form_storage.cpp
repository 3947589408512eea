#include "gui_test_main.h"
#include "ini_settings_store.h"
#include "qt_files.h"
#include "stored_text.h"
#include "tfilename_edit.h"
#include "tform_storage.h"
#include "widget_placement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QWindow>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace StandIn {

// The main window as the stored settings see it: the two file-name fields, the
// twelve boxes with the coupling of each category box to its speed-warning box,
// and the designed size and position.
class TFPral final : public QWidget
{
    Q_OBJECT

public:
    TFPral(IniSettingsStore& store, QStringList* errors);
    ~TFPral() override;

    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->setAccepted(!refuseClose);
        m_storage->windowCloseQueried(event->isAccepted());
    }

private:
    TFormStorage* m_storage;
};

TFPral::TFPral(IniSettingsStore& store, QStringList* errors)
{
    for (const QString& name : {u"FilenameEdit1"_s, u"FilenameEdit2"_s})
        (new TFilenameEdit(this))->setObjectName(name);
    for (const QString& category : {u"RF"_s, u"RM"_s, u"TC"_s, u"PP"_s, u"PN"_s, u"ZE"_s}) {
        auto* box = new QCheckBox(this);
        box->setObjectName(category);
        auto* speedBox = new QCheckBox(this);
        speedBox->setObjectName(category + u'1');
        speedBox->setEnabled(false);
        connect(box, &QCheckBox::toggled, speedBox, &QWidget::setEnabled);
    }
    setFixedSize(300, 394);
    move(450, 170);
    m_storage = new TFormStorage(this, store, std::make_unique<WidgetPlacement>(this),
                                 [errors](const QString& message) { errors->append(message); });
}

TFPral::~TFPral()
{
    m_storage->windowDestroying();
}

} // namespace StandIn

namespace {

using Window = std::unique_ptr<StandIn::TFPral>;

const QStringList BoxNames {u"RF"_s,  u"RM"_s,  u"TC"_s,  u"PP"_s,  u"PN"_s,  u"ZE"_s,
                            u"RF1"_s, u"RM1"_s, u"TC1"_s, u"PP1"_s, u"PN1"_s, u"ZE1"_s};
const QPoint DesignedPosition {450, 170};

QString screenSuffix()
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return QString::fromStdString(StoredText::resolutionSuffix(screen.width(), screen.height()));
}

// The value names in the order a save writes them.
QStringList valueNamesInOrder()
{
    QStringList names {u"FormVersion"_s,
                       u"Flags"_s,
                       u"ShowCmd"_s,
                       u"PixelsPerInch"_s,
                       u"MinMaxPos"_s + screenSuffix(),
                       u"MinMaxPos"_s,
                       u"NormPos"_s + screenSuffix(),
                       u"NormPos"_s,
                       u"Visible"_s,
                       u"FilenameEdit1_FileName"_s,
                       u"FilenameEdit2_FileName"_s};
    for (const QString& box : {u"PN"_s, u"PP"_s, u"RF"_s, u"RM"_s, u"TC"_s, u"ZE"_s})
        names << box + u"_Checked"_s;
    for (const QString& box : {u"PN1"_s, u"PP1"_s, u"RF1"_s, u"RM1"_s, u"TC1"_s, u"ZE1"_s})
        names << box + u"_Checked"_s;
    return names;
}

QCheckBox* box(const Window& window, const QString& name)
{
    return window->findChild<QCheckBox*>(name);
}

TFilenameEdit* field(const Window& window, const QString& name)
{
    return window->findChild<TFilenameEdit*>(name);
}

QStringList tickedBoxes(const Window& window)
{
    QStringList ticked;
    for (const QString& name : BoxNames) {
        if (box(window, name)->isChecked())
            ticked << name;
    }
    return ticked;
}

QStringList enabledBoxes(const Window& window)
{
    QStringList enabled;
    for (const QString& name : BoxNames) {
        if (box(window, name)->isEnabled())
            enabled << name;
    }
    return enabled;
}

// Lowers the largest file this process may write, for one scope: even root cannot pass it.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldAction = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldAction);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old {};
    void (*m_oldAction)(int);
};

} // namespace

class FormStorageTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstRunStoresTheWholeTable();
    void roundTripThroughAFreshFile();
    void savedFileNames_data();
    void savedFileNames();
    void restoredFileNames_data();
    void restoredFileNames();
    void position_data();
    void position();
    void appearsAtItsRestoredPlace();
    void restoredWindowState_data();
    void restoredWindowState();
    void savedWindowState_data();
    void savedWindowState();
    void damagedStore_data();
    void damagedStore();
    void unwritableStore();
    void failedWriteStopsTheSave_data();
    void failedWriteStopsTheSave();
    void onlyANewShowingRestores();

private:
    Window showWindow(const QByteArray& values = {}, const std::function<void(const Window&)>& prepare = {});
    void useNewConfigFolder();
    // The store of the configuration folder now in use, for a new window.
    IniSettingsStore& newStore()
    {
        m_stores.push_back(
            std::make_unique<IniSettingsStore>(IniSettingsStore::programFilePath(), PosixCalls::system()));
        return *m_stores.back();
    }
    void writeStore(const QByteArray& values);
    QByteArray storeText() const;
    QStringList storedValues() const;
    QString storedValue(const QString& name) const;

    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
    std::vector<std::unique_ptr<IniSettingsStore>> m_stores;
    QStringList m_errors;
};

void FormStorageTest::init()
{
    m_folders.clear();
    m_errors.clear();
    useNewConfigFolder();
}

// A file of a new name is parsed afresh, nothing coming from what QSettings cached in this process.
void FormStorageTest::useNewConfigFolder()
{
    m_folders.push_back(std::make_unique<QTemporaryDir>());
    QVERIFY(m_folders.back()->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_folders.back()->path()));
}

void FormStorageTest::writeStore(const QByteArray& values)
{
    QByteArray text = "[TFPral]\n" + values;
    writeFile(IniSettingsStore::programFilePath(), text.replace("%SCREEN%", screenSuffix().toLatin1()));
}

QByteArray FormStorageTest::storeText() const
{
    return readFile(IniSettingsStore::programFilePath());
}

// "name=text" of every value of the section, sorted, as a fresh process would read them.
QStringList FormStorageTest::storedValues() const
{
    const QTemporaryDir folder;
    const QString copy = folder.filePath(u"copy.conf"_s);
    if (!QFile::copy(IniSettingsStore::programFilePath(), copy))
        return {};
    QSettings settings(copy, QSettings::IniFormat);
    settings.beginGroup(u"TFPral"_s);
    QStringList values;
    const QStringList keys = settings.childKeys();
    for (const QString& key : keys)
        values << key + u'=' + settings.value(key).toStringList().join(u',');
    values.sort();
    return values;
}

QString FormStorageTest::storedValue(const QString& name) const
{
    const QStringList values = storedValues();
    for (const QString& value : values) {
        if (value.startsWith(name + u'='))
            return value.sliced(name.size() + 1);
    }
    return u"(absent)"_s;
}

Window FormStorageTest::showWindow(const QByteArray& values, const std::function<void(const Window&)>& prepare)
{
    if (!values.isEmpty())
        writeStore(values);
    auto window = std::make_unique<StandIn::TFPral>(newStore(), &m_errors);
    if (prepare)
        prepare(window);
    window->show();
    return window;
}

void FormStorageTest::firstRunStoresTheWholeTable()
{
    const Window window = showWindow();
    QCOMPARE(window->pos(), DesignedPosition);
    QCOMPARE(field(window, u"FilenameEdit1"_s)->text(), QString());
    QCOMPARE(field(window, u"FilenameEdit2"_s)->text(), QString());
    QCOMPARE(tickedBoxes(window), QStringList());
    QCOMPARE(enabledBoxes(window), BoxNames.first(6));

    const QRect frame = window->frameGeometry();
    QVERIFY(window->close());
    QCOMPARE(m_errors, QStringList());
    const QString normPos = u"450,170,%1,%2"_s.arg(450 + frame.width()).arg(170 + frame.height());
    QStringList expected {u"FormVersion=0"_s,
                          u"Flags=0"_s,
                          u"ShowCmd=1"_s,
                          u"PixelsPerInch=96"_s,
                          u"MinMaxPos%1=-1,-1,-1,-1"_s.arg(screenSuffix()),
                          u"MinMaxPos=-1,-1,-1,-1"_s,
                          u"NormPos%1=%2"_s.arg(screenSuffix(), normPos),
                          u"NormPos="_s + normPos,
                          u"Visible=0"_s,
                          u"FilenameEdit1_FileName="_s,
                          u"FilenameEdit2_FileName="_s};
    for (const QString& name : BoxNames)
        expected << name + u"_Checked=False"_s;
    expected.sort();
    QCOMPARE(storedValues(), expected);
}

void FormStorageTest::roundTripThroughAFreshFile()
{
    {
        const Window window = showWindow();
        field(window, u"FilenameEdit1"_s)->setFileName(u"/tmp/a b.mdb"_s);
        field(window, u"FilenameEdit2"_s)->setText(u"/tmp/dest.txt"_s);
        for (const QString& name : {u"RF"_s, u"PN"_s, u"RF1"_s, u"ZE1"_s})
            box(window, name)->setChecked(true);
        window->move(120, 80);
        QVERIFY(window->close());
    }
    QVERIFY2(storeText().contains("\nFilenameEdit1_FileName=/tmp/a b.mdb\n"), storeText().constData());

    const QString saved = IniSettingsStore::programFilePath();
    useNewConfigFolder();
    QVERIFY(QDir().mkpath(QFileInfo(IniSettingsStore::programFilePath()).path()));
    QVERIFY(QFile::copy(saved, IniSettingsStore::programFilePath()));
    const Window window = showWindow();
    QCOMPARE(m_errors, QStringList());
    QCOMPARE(window->pos(), QPoint(120, 80));
    QCOMPARE(field(window, u"FilenameEdit1"_s)->text(), u"\"/tmp/a b.mdb\""_s);
    QCOMPARE(field(window, u"FilenameEdit2"_s)->text(), u"/tmp/dest.txt"_s);
    QCOMPARE(tickedBoxes(window), QStringList({u"RF"_s, u"PN"_s, u"RF1"_s, u"ZE1"_s}));
    QCOMPARE(enabledBoxes(window), BoxNames.first(6) + QStringList({u"RF1"_s, u"PN1"_s}));
}

void FormStorageTest::savedFileNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::addRow("quoted name with blanks") << u"\"/tmp/a b.mdb\""_s << u"/tmp/a b.mdb"_s;
    QTest::addRow("unquoted blanks, no such file") << u"/tmp/new file.txt"_s << u"/tmp/new"_s;
    QTest::addRow("leading blanks") << u"   /tmp/x.mdb"_s << u"/tmp/x.mdb"_s;
    QTest::addRow("existing file with a trailing blank") << u"%DIR%/x "_s << u"%DIR%/x"_s;
    QTest::addRow("empty") << QString() << QString();
}

void FormStorageTest::savedFileNames()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    const QString folder = m_folders.back()->path();
    writeFile(folder + u"/x "_s, {});
    {
        const Window window = showWindow();
        field(window, u"FilenameEdit2"_s)->setText(text.replace(u"%DIR%"_s, folder));
        QVERIFY(window->close());
    }
    QCOMPARE(storedValue(u"FilenameEdit2_FileName"_s), stored.replace(u"%DIR%"_s, folder));
}

void FormStorageTest::restoredFileNames_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("text");
    QTest::addRow("name with blanks comes back quoted") << "/tmp/a b.mdb"_ba << u"\"/tmp/a b.mdb\""_s;
    QTest::addRow("surrounding blanks") << "\"  /tmp/x.mdb \\t\""_ba << u"/tmp/x.mdb"_s;
    QTest::addRow("empty") << ""_ba << QString();
    QTest::addRow("refused name") << "a|b"_ba << u"/tmp/old.mdb"_s;
    QTest::addRow("refused blanks only") << "\"   \""_ba << QString();
}

void FormStorageTest::restoredFileNames()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, text);
    const Window window
        = showWindow("FilenameEdit1_FileName=" + value + "\nFilenameEdit2_FileName=/tmp/dest.txt\nRF_Checked=True\n",
                     [](const Window& window) { field(window, u"FilenameEdit1"_s)->setText(u"/tmp/old.mdb"_s); });
    QCOMPARE(field(window, u"FilenameEdit1"_s)->text(), text);
    QCOMPARE(field(window, u"FilenameEdit2"_s)->text(), u"/tmp/dest.txt"_s);
    QCOMPARE(tickedBoxes(window), QStringList({u"RF"_s}));
    QCOMPARE(m_errors, QStringList());
}

void FormStorageTest::position_data()
{
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<QPoint>("position");
    // Where the screens stand: the rest of the rules are the rules' own tests.
    QTest::addRow("wholly off screen") << "NormPos=\"5000,5000\"\n"_ba << DesignedPosition;
    QTest::addRow("partly on screen") << "NormPos=\"700,500\"\n"_ba << QPoint(700, 500);
    const int screenRight = QGuiApplication::primaryScreen()->geometry().right();
    QTest::addRow("last column on screen") << "NormPos=" + QByteArray::number(screenRight) + ",10\n"
                                           << QPoint(screenRight, 10);
    QTest::addRow("first column past the screen") << "NormPos=" + QByteArray::number(screenRight + 1) + ",10\n"
                                                  << DesignedPosition;
    // Whatever a stored text says, the frame's far edges are reckoned without overflow.
    QTest::addRow("largest int") << "NormPos=2147483647,2147483647\n"_ba << DesignedPosition;
    QTest::addRow("near the largest int") << "NormPos=2147483600,2147483600\n"_ba << DesignedPosition;
    QTest::addRow("smallest int") << "NormPos=\"-2147483648,-2147483648\"\n"_ba << DesignedPosition;
    QTest::addRow("largest int left, top on screen") << "NormPos=2147483647,10\n"_ba << DesignedPosition;
    QTest::addRow("smallest int top, left on screen") << "NormPos=\"10,-2147483648\"\n"_ba << DesignedPosition;
    QTest::addRow("beyond int") << "NormPos=\"2147483648,-2147483649\"\n"_ba << DesignedPosition;
}

void FormStorageTest::position()
{
    QFETCH(QByteArray, values);
    QFETCH(QPoint, position);
    writeStore(values);
    const Window window = showWindow();
    QCOMPARE(window->pos(), position);
    QCOMPARE(window->size(), QSize(300, 394));
    QCOMPARE(m_errors, QStringList());
}

void FormStorageTest::appearsAtItsRestoredPlace()
{
    writeStore("NormPos=\"100,200\"\n");
    auto window = std::make_unique<StandIn::TFPral>(newStore(), &m_errors);
    window->winId();
    QPoint shownAt;
    connect(window->windowHandle(), &QWindow::visibleChanged, window.get(), [&shownAt, &window](bool visible) {
        if (visible)
            shownAt = window->windowHandle()->framePosition();
    });
    window->show();
    QCOMPARE(shownAt, QPoint(100, 200));
}

void FormStorageTest::restoredWindowState_data()
{
    QTest::addColumn<QByteArray>("showCmd");
    QTest::addColumn<int>("state");
    const int normal = Qt::WindowNoState;
    const int minimized = Qt::WindowMinimized;
    const int maximized = Qt::WindowMaximized;
    QTest::addRow("absent") << QByteArray() << normal;
    QTest::addRow("0") << "0"_ba << normal;
    QTest::addRow("1") << "1"_ba << normal;
    QTest::addRow("2") << "2"_ba << minimized;
    QTest::addRow("3") << "3"_ba << maximized;
    QTest::addRow("4") << "4"_ba << normal;
    QTest::addRow("5") << "5"_ba << normal;
    QTest::addRow("6") << "6"_ba << minimized;
    QTest::addRow("7") << "7"_ba << minimized;
    QTest::addRow("8") << "8"_ba << normal;
    QTest::addRow("9") << "9"_ba << normal;
    QTest::addRow("not a number") << "max"_ba << normal;
}

void FormStorageTest::restoredWindowState()
{
    QFETCH(QByteArray, showCmd);
    QFETCH(int, state);
    const Window window = showWindow(showCmd.isNull() ? "RF_Checked=True\n"_ba : "ShowCmd=" + showCmd + '\n');
    QTest::qWait(10);
    QCOMPARE(int(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)), state);
    QVERIFY(window->isVisible());
}

void FormStorageTest::savedWindowState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("showCmd");
    QTest::addColumn<QString>("flags");
    QTest::addRow("normal") << int(Qt::WindowNoState) << u"1"_s << u"0"_s;
    QTest::addRow("maximized") << int(Qt::WindowMaximized) << u"3"_s << u"0"_s;
    QTest::addRow("minimized") << int(Qt::WindowMinimized) << u"2"_s << u"0"_s;
    QTest::addRow("minimized from maximized") << int(Qt::WindowMinimized | Qt::WindowMaximized) << u"2"_s << u"2"_s;
}

void FormStorageTest::savedWindowState()
{
    QFETCH(int, state);
    QFETCH(QString, showCmd);
    QFETCH(QString, flags);
    {
        const Window window = showWindow();
        window->setWindowState(Qt::WindowStates(state));
        QVERIFY(window->close());
    }
    QCOMPARE(storedValue(u"ShowCmd"_s), showCmd);
    QCOMPARE(storedValue(u"Flags"_s), flags);
    // The position kept is the normal one, whatever the state.
    QCOMPARE(storedValue(u"NormPos"_s).section(u',', 0, 1), u"450,170"_s);
}

void FormStorageTest::damagedStore_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("restored");
    const QByteArray values = "[TFPral]\nNormPos=\"30,40\"\nRF_Checked=True\n";
    QTest::addRow("byte-order mark") << "\xEF\xBB\xBF" + values << true;
    QTest::addRow("unclosed section") << values + "[Notes\n" << false;
}

void FormStorageTest::damagedStore()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, restored);
    const QString path = IniSettingsStore::programFilePath();
    const QDir folder = QFileInfo(path).dir();
    writeFile(path, text);
    const QStringList ticked = restored ? QStringList(u"RF"_s) : QStringList();
    {
        const Window window = showWindow();
        QCOMPARE(window->pos(), restored ? QPoint(30, 40) : DesignedPosition);
        QCOMPARE(tickedBoxes(window), ticked);
        const QStringList copies = folder.entryList({u"*.damaged-*"_s}, QDir::Files);
        QCOMPARE(copies.size(), restored ? 0 : 1);
        const QString message = u"Error al leer '%1'. Se ha guardado una copia en '%2'"_s;
        QCOMPARE(m_errors, restored ? QStringList() : QStringList(message.arg(path, folder.filePath(copies[0]))));
        QVERIFY(window->close());
    }
    // The close wrote a working store, which the next start restores without a word.
    m_errors.clear();
    QCOMPARE(tickedBoxes(showWindow()), ticked);
    QCOMPARE(m_errors, QStringList());
}

void FormStorageTest::unwritableStore()
{
    writeFile(QFileInfo(IniSettingsStore::programFilePath()).path(), {});
    Window window = showWindow();
    QCOMPARE(m_errors, QStringList());
    QVERIFY(window->close());
    QCOMPARE(m_errors, QStringList({u"Error al crear la llave TFPral"_s}));
    QVERIFY(!window->isVisible());
    window.reset();
    QCOMPARE(m_errors, QStringList(2, u"Error al crear la llave TFPral"_s));
}

void FormStorageTest::failedWriteStopsTheSave_data()
{
    QTest::addColumn<int>("bytesShort");
    QTest::addRow("cut at half the file") << -1;
    QTest::addRow("cut inside the last line") << 1;
}

// The save is one write of the file: where it fails the store stays as it was,
// and the message names the first value; the window's destruction saves again.
void FormStorageTest::failedWriteStopsTheSave()
{
    QFETCH(int, bytesShort);
    showWindow()->close();
    const qint64 wholeSize = QFileInfo(IniSettingsStore::programFilePath()).size();
    useNewConfigFolder();

    Window window = showWindow();
    {
        const FileSizeLimit limit(bytesShort < 0 ? wholeSize / 2 : wholeSize - bytesShort);
        QVERIFY(window->close());
    }
    QCOMPARE(m_errors, QStringList {u"Error al guardar 'FormVersion'"_s});
    QCOMPARE(storedValues(), QStringList());

    window.reset();
    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(storedValues().size(), valueNamesInOrder().size());
    QCOMPARE(storedValue(u"Visible"_s), u"1"_s);
}

void FormStorageTest::onlyANewShowingRestores()
{
    const Window window = showWindow("RF_Checked=True\n");
    QVERIFY(box(window, u"RF"_s)->isChecked());
    box(window, u"RF"_s)->setChecked(false);

    QShowEvent desktopShow;
    QSpontaneKeyEvent::setSpontaneous(&desktopShow);
    // sendEvent() would take the event's spontaneity away again.
    QApplication::instance()->notify(window.get(), &desktopShow);
    QVERIFY(!box(window, u"RF"_s)->isChecked());

    window->hide();
    window->show();
    QVERIFY(box(window, u"RF"_s)->isChecked());
}

CRIBAXON_GUI_TEST_MAIN(FormStorageTest)
#include "tst_form_storage.moc"
