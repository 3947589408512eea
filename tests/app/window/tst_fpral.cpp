#include "balloon_hint.h"
#include "gui_test_main.h"
#include "ini_settings_store.h"
#include "message_boxes.h"
#include "posix_file_system.h"
#include "qt_files.h"
#include "run_generation.h"
#include "tfpral.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>

using Kind = MessageBoxes::Kind;

namespace {

// The names of the options set, read field by field, in the order of the window's rows.
QStringList flagsSet(const RunOptions& options)
{
    const std::pair<const char*, bool> flags[] = {
        {"RF", options.RF}, {"RF1", options.RF1}, {"RM", options.RM}, {"RM1", options.RM1},
        {"TC", options.TC}, {"TC1", options.TC1}, {"PP", options.PP}, {"PP1", options.PP1},
        {"PN", options.PN}, {"PN1", options.PN1}, {"ZE", options.ZE}, {"ZE1", options.ZE1},
    };
    QStringList set;
    for (const auto& [name, value] : flags) {
        if (value)
            set << QString::fromLatin1(name);
    }
    return set;
}

} // namespace

class TestFPral final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void controlGeometry_data();
    void controlGeometry();
    void labelsFitTheirText();
    void controlTexts_data();
    void controlTexts();
    void firstStart();
    void focusOrder_data();
    void focusOrder();

    void couplingFollowsEveryChange_data();
    void couplingFollowsEveryChange();
    void speedWarningKeepsItsTickWhileDisabled();
    void lowerRowTakesTheOverlap();

    void generate_data();
    void generate();
    void generateKeysAndClicks_data();
    void generateKeysAndClicks();
    void runOptionsTakeEachBox_data();
    void runOptionsTakeEachBox();
    void settingsSurviveARestart();
    void hintsShowAsBalloons_data();
    void hintsShowAsBalloons();
    void screenReadersNameEveryControl_data();
    void screenReadersNameEveryControl();

private:
    template <typename T = QWidget> T* control(const char* name) const
    {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        Q_ASSERT(found);
        return found;
    }
    void showActive();

    std::unique_ptr<QTemporaryDir> m_config;
    PosixFileSystem m_files {PosixCalls::system()};
    std::unique_ptr<IniSettingsStore> m_settings;
    std::unique_ptr<TFPral> m_window;
    QList<QPair<Kind, QString>> m_boxes;
};

void TestFPral::init()
{
    // Each window starts from an empty store, whatever the previous one saved.
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    m_settings = std::make_unique<IniSettingsStore>(IniSettingsStore::programFilePath(), PosixCalls::system());
    m_boxes.clear();
    MessageBoxes::testHook.set([this](Kind kind, const QString& text) { m_boxes.append({kind, text}); });
    m_window = std::make_unique<TFPral>(m_files, *m_settings);
}

void TestFPral::cleanup()
{
    m_window.reset();
    MessageBoxes::testHook.set({});
}

void TestFPral::showActive()
{
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFPral::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    const auto row = [](const char* name, int left, int top, int width, int height) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << QRect(left, top, width, height);
    };
    row("FilenameEdit1", 86, 148, 201, 21);
    row("FilenameEdit2", 86, 172, 201, 21);
    row("cxButton1", 86, 328, 129, 33);
    row("Panel1", 0, 0, 153, 137);
    row("Image1", 0, 0, 150, 137);
    row("Panel2", 152, 0, 148, 137);
    row("Image2", -2, 0, 150, 137);
    const char* categories[] = {"RF", "RM", "TC", "PP", "PN", "ZE"};
    const char* speeds[] = {"RF1", "RM1", "TC1", "PP1", "PN1", "ZE1"};
    for (int i = 0; i < 6; ++i) {
        row(categories[i], 8, 208 + 16 * i, 121, 21);
        row(speeds[i], 144, 208 + 16 * i, 140, 21);
    }
}

void TestFPral::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QCOMPARE(control(name.toLatin1().constData())->geometry(), geometry);
}

void TestFPral::labelsFitTheirText()
{
    for (const auto& [name, top] : {std::pair {"Label1", 152}, std::pair {"Label2", 176}}) {
        auto* label = control<QLabel>(name);
        QCOMPARE(label->pos(), QPoint(8, top));
        QCOMPARE(label->size(), label->sizeHint());
        QCOMPARE_LT(label->geometry().right(), control("FilenameEdit1")->x());
        QVERIFY(!label->buddy());
    }
}

void TestFPral::controlTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    const auto row = [](const char* name, const char* text, bool enabled) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << QString::fromUtf8(text) << enabled;
    };
    row("Label1", "Fichero Origen", true);
    row("Label2", "Fichero Final", true);
    row("cxButton1", "Generar", true);
    row("RF", "Radares fijos", true);
    row("RM", "Radares móviles", true);
    row("TC", "Tramos controlados", true);
    row("PP", "Puntos peligrosos", true);
    row("PN", "Puntos negros", true);
    row("ZE", "Zonas de niños", true);
    for (const char* speed : {"RF1", "RM1", "TC1", "PP1", "PN1", "ZE1"})
        row(speed, "Avisar límite Velocidad", false);
}

void TestFPral::controlTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QWidget* widget = control(name.toLatin1().constData());
    const QVariant shown = widget->property("text");
    QCOMPARE(shown.toString(), text);
    QCOMPARE(widget->isEnabled(), enabled);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QVERIFY(!box->isChecked());
        QVERIFY(!box->isTristate());
    }
}

void TestFPral::firstStart()
{
    control<QLineEdit>("FilenameEdit1")->setText(QStringLiteral("/tmp/puntos.mdb"));
    showActive();
    QCOMPARE(control<QLineEdit>("FilenameEdit1")->selectedText(), QStringLiteral("/tmp/puntos.mdb"));
    control<QLineEdit>("FilenameEdit1")->clear();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zorvanti Cribaxon - Ver. Dic. 2005 1.1"));
    QCOMPARE(m_window->size(), QSize(300, 394));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->pos(), QPoint(450, 170));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(QApplication::focusWidget(), control("FilenameEdit1"));
    QCOMPARE(control<QLineEdit>("FilenameEdit1")->text(), QString());
    QCOMPARE(control<QLineEdit>("FilenameEdit2")->text(), QString());

    auto* statusBar = control<QStatusBar>("StatusBar1");
    QCOMPARE(statusBar->geometry(), QRect(0, 375, 300, 19));
    QVERIFY(!statusBar->isSizeGripEnabled());
    const auto labels = statusBar->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 1);
    QVERIFY(!labels.first()->text().isEmpty());

    for (const char* picture : {"Image1", "Image2"})
        QCOMPARE(control(picture)->cursor().shape(), Qt::PointingHandCursor);
    for (const char* withHint : {"FilenameEdit1", "FilenameEdit2", "cxButton1"})
        QVERIFY(!control(withHint)->toolTip().isEmpty());
    for (QWidget* other : m_window->findChildren<QCheckBox*>())
        QVERIFY(other->toolTip().isEmpty());
}

void TestFPral::focusOrder_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("order");
    const QStringList head {QStringLiteral("FilenameEdit1"),
                            QStringLiteral("FilenameEdit2"),
                            QStringLiteral("cxButton1"),
                            QStringLiteral("RF"),
                            QStringLiteral("RM"),
                            QStringLiteral("TC"),
                            QStringLiteral("PP"),
                            QStringLiteral("PN"),
                            QStringLiteral("ZE")};
    QTest::addRow("speed boxes disabled are passed over") << QStringList() << head + QStringList {head.first()};
    QTest::addRow("enabled speed boxes follow the categories")
        << QStringList {QStringLiteral("RM"), QStringLiteral("ZE")}
        << head + QStringList {QStringLiteral("RM1"), QStringLiteral("ZE1"), head.first()};
}

void TestFPral::focusOrder()
{
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, order);
    for (const QString& name : ticked)
        control<QCheckBox>(name.toLatin1().constData())->setChecked(true);
    showActive();
    QStringList visited {QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void TestFPral::couplingFollowsEveryChange_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("means");
    for (const char* category : {"RF", "RM", "TC", "PP", "PN", "ZE"}) {
        for (const char* means : {"program", "click on box", "click right of caption", "space bar"})
            QTest::addRow("%s by %s", category, means) << QString::fromLatin1(category) << QString::fromLatin1(means);
    }
}

void TestFPral::couplingFollowsEveryChange()
{
    QFETCH(QString, category);
    QFETCH(QString, means);
    showActive();
    auto* box = control<QCheckBox>(category.toLatin1().constData());
    auto* speed = control<QCheckBox>((category + u'1').toLatin1().constData());
    const auto toggle = [&] {
        if (means == u"program") {
            box->setChecked(!box->isChecked());
        } else if (means == u"click on box") {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8));
        } else if (means == u"click right of caption") {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, 8));
        } else {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Space);
        }
    };
    toggle();
    QVERIFY(box->isChecked());
    QVERIFY(speed->isEnabled());
    toggle();
    QVERIFY(!box->isChecked());
    QVERIFY(!speed->isEnabled());
}

void TestFPral::speedWarningKeepsItsTickWhileDisabled()
{
    auto* box = control<QCheckBox>("PN");
    auto* speed = control<QCheckBox>("PN1");
    box->setChecked(true);
    speed->setChecked(true);
    box->setChecked(false);
    QVERIFY(!speed->isEnabled());
    QVERIFY(speed->isChecked());
    box->setChecked(true);
    QVERIFY(speed->isEnabled());
    QVERIFY(speed->isChecked());
}

void TestFPral::lowerRowTakesTheOverlap()
{
    showActive();
    // Rows are 16 pixels apart and 21 high: client y 226 lies in both RF and RM.
    QWidget* central = control("RF")->parentWidget();
    QTest::mouseClick(central->childAt(20, 226), Qt::LeftButton, {},
                      central->childAt(20, 226)->mapFrom(central, QPoint(20, 226)));
    QVERIFY(control<QCheckBox>("RM")->isChecked());
    QVERIFY(!control<QCheckBox>("RF")->isChecked());
}

void TestFPral::generate_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QByteArray>("written");
    const QString completed = QString::fromUtf8(RunMessage::Completed.data());
    QTest::addRow("completed, quoted name with blank")
        << QStringLiteral("\"%1/my points.mdb\"") << QStringLiteral("%1/out.mdb") << int(Kind::Information) << completed
        << QStringLiteral("cxButton1") << QByteArray("574C\r\nAAAAAAAAAAAAAA01\r\n");
    QTest::addRow("source of no family") << QStringLiteral("%1/points.dat") << QStringLiteral("%1/out.mdb")
                                         << int(Kind::Information)
                                         << QString::fromUtf8(RunMessage::SourceNameRejected.data())
                                         << QStringLiteral("FilenameEdit1") << QByteArray();
    QTest::addRow("destination of the other family")
        << QStringLiteral("\"%1/my points.mdb\"") << QStringLiteral("%1/out.txt") << int(Kind::Information)
        << QString::fromUtf8(RunMessage::DestinationNameRejected.data()) << QStringLiteral("FilenameEdit2")
        << QByteArray();
    QTest::addRow("missing source") << QStringLiteral("%1/absent.mdb") << QStringLiteral("%1/out.mdb")
                                    << int(Kind::Error) << QStringLiteral("No se encuentra el archivo.")
                                    << QStringLiteral("cxButton1") << QByteArray();
    QTest::addRow("destination is the source")
        << QStringLiteral("%1/my points.mdb") << QStringLiteral("\"%1/my points.mdb\"") << int(Kind::Error)
        << QStringLiteral("Error de E/S 32.") << QStringLiteral("cxButton1") << QByteArray();
}

void TestFPral::generate()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(int, kind);
    QFETCH(QString, shown);
    QFETCH(QString, focused);
    QFETCH(QByteArray, written);
    // Blank-free, so that only the names the rows quote hold a blank.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fpral-XXXXXX"));
    writeFile(folder.filePath(QStringLiteral("my points.mdb")), "574C\r\nAAAAAAAAAAAAAA91xyz\r\nAAAAAAAAAAAAAA92\r\n");
    control<QLineEdit>("FilenameEdit1")->setText(source.arg(folder.path()));
    control<QLineEdit>("FilenameEdit2")->setText(destination.arg(folder.path()));
    control<QCheckBox>("RF")->setChecked(true);
    showActive();
    control("cxButton1")->setFocus();

    QTest::mouseClick(control("cxButton1"), Qt::LeftButton);

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(int(m_boxes.first().first), kind);
    QCOMPARE(m_boxes.first().second, shown);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    const QString out = folder.filePath(QStringLiteral("out.mdb"));
    QCOMPARE(QFile::exists(out), !written.isEmpty());
    QCOMPARE(readFile(out), written);
}

void TestFPral::generateKeysAndClicks_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("runs");
    QTest::addRow("Enter on Generar") << QStringLiteral("cxButton1") << int(Qt::Key_Return) << 1;
    QTest::addRow("keypad Enter on Generar") << QStringLiteral("cxButton1") << int(Qt::Key_Enter) << 1;
    QTest::addRow("space on Generar") << QStringLiteral("cxButton1") << int(Qt::Key_Space) << 1;
    QTest::addRow("Esc on Generar") << QStringLiteral("cxButton1") << int(Qt::Key_Escape) << 0;
    QTest::addRow("Enter in a field") << QStringLiteral("FilenameEdit1") << int(Qt::Key_Return) << 0;
    QTest::addRow("Enter on a box") << QStringLiteral("RF") << int(Qt::Key_Return) << 0;
}

void TestFPral::generateKeysAndClicks()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(int, runs);
    showActive();
    QWidget* target = control(focused.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    // An empty source name is rejected with a message: one message per run.
    QCOMPARE(m_boxes.size(), runs);
}

void TestFPral::runOptionsTakeEachBox_data()
{
    QTest::addColumn<QStringList>("ticked");
    for (const char* category : {"RF", "RM", "TC", "PP", "PN", "ZE"}) {
        const QString box = QString::fromLatin1(category);
        QTest::addRow("%s alone", category) << QStringList {box};
        QTest::addRow("%s1 with %s", category, category) << QStringList {box, box + u'1'};
    }
    QTest::addRow("ZE1 alone, disabled") << QStringList {QStringLiteral("ZE1")};
}

void TestFPral::runOptionsTakeEachBox()
{
    QFETCH(QStringList, ticked);
    for (const QString& name : ticked)
        control<QCheckBox>(name.toLatin1().constData())->setChecked(true);
    QCOMPARE(flagsSet(m_window->runOptions()), ticked);
}

void TestFPral::settingsSurviveARestart()
{
    showActive();
    control<QLineEdit>("FilenameEdit1")->setText(QStringLiteral("\"/tmp/mis puntos.txt\""));
    control<QLineEdit>("FilenameEdit2")->setText(QStringLiteral("/tmp/filtrado.txt"));
    control<QCheckBox>("RF")->setChecked(true);
    control<QCheckBox>("RF1")->setChecked(true);
    control<QCheckBox>("PN1")->setChecked(true);
    QVERIFY(m_window->close());

    m_window = std::make_unique<TFPral>(m_files, *m_settings);
    showActive();
    QCOMPARE(control<QLineEdit>("FilenameEdit1")->text(), QStringLiteral("\"/tmp/mis puntos.txt\""));
    QCOMPARE(control<QLineEdit>("FilenameEdit2")->text(), QStringLiteral("/tmp/filtrado.txt"));
    QVERIFY(control<QCheckBox>("RF")->isChecked());
    QVERIFY(control<QCheckBox>("RF1")->isChecked());
    QVERIFY(control<QCheckBox>("RF1")->isEnabled());
    QVERIFY(control<QCheckBox>("PN1")->isChecked());
    QVERIFY(!control<QCheckBox>("PN1")->isEnabled());
    QVERIFY(!control<QCheckBox>("PN")->isChecked());
    QCOMPARE(m_boxes, (QList<QPair<Kind, QString>>()));
}

void TestFPral::hintsShowAsBalloons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("browseButton");
    QTest::addColumn<QString>("hint");
    QTest::addRow("source field") << QStringLiteral("FilenameEdit1") << false
                                  << QStringLiteral("Seleccionar el fichero original de datos del Pitovan o Rumbelo");
    QTest::addRow("destination browse button")
        << QStringLiteral("FilenameEdit2") << true
        << QStringLiteral("Seleccionar la carpeta y fichero a crear la base de puntos");
    QTest::addRow("Generar") << QStringLiteral("cxButton1") << false
                             << QStringLiteral("Pulsar este botón para generar el nuevo fichero.");
    QTest::addRow("category box") << QStringLiteral("RF") << false << QString();
    QTest::addRow("picture") << QStringLiteral("Image1") << false << QString();
}

void TestFPral::hintsShowAsBalloons()
{
    QFETCH(QString, name);
    QFETCH(bool, browseButton);
    QFETCH(QString, hint);
    showActive();
    QWidget* target = control(name.toLatin1().constData());
    if (browseButton)
        target = target->findChild<QAbstractButton*>();
    QVERIFY(target);
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), target->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(target, &help);

    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* balloon = qobject_cast<BalloonHint*>(window); balloon && balloon->isVisible())
            shown << balloon->text();
    }
    QCOMPARE(shown, hint.isEmpty() ? QStringList() : QStringList {hint});
}

void TestFPral::screenReadersNameEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("browseButton");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("description");
    const auto row = [](const char* name, bool browseButton, QAccessible::Role role, const QString& accessibleName,
                        const char* description = "") {
        QTest::addRow("%s%s", name, browseButton ? " browse button" : "")
            << QString::fromLatin1(name) << browseButton << int(role) << accessibleName
            << QString::fromUtf8(description);
    };
    const char* sourceHint = "Seleccionar el fichero original de datos del Pitovan o Rumbelo";
    const char* destinationHint = "Seleccionar la carpeta y fichero a crear la base de puntos";
    row("FilenameEdit1", false, QAccessible::EditableText, QStringLiteral("Fichero Origen"), sourceHint);
    row("FilenameEdit1", true, QAccessible::Button, QStringLiteral("Examinar…"), sourceHint);
    row("FilenameEdit2", false, QAccessible::EditableText, QStringLiteral("Fichero Final"), destinationHint);
    row("FilenameEdit2", true, QAccessible::Button, QStringLiteral("Examinar…"), destinationHint);
    row("cxButton1", false, QAccessible::Button, QStringLiteral("Generar"),
        "Pulsar este botón para generar el nuevo fichero.");
    row("RF", false, QAccessible::CheckBox, QStringLiteral("Radares fijos"));
    const std::pair<const char*, const char*> speedBoxes[] = {
        {"RF1", "Radares fijos"},     {"RM1", "Radares móviles"}, {"TC1", "Tramos controlados"},
        {"PP1", "Puntos peligrosos"}, {"PN1", "Puntos negros"},   {"ZE1", "Zonas de niños"},
    };
    for (const auto& [box, category] : speedBoxes)
        row(box, false, QAccessible::CheckBox,
            QStringLiteral("Avisar límite Velocidad — ") + QString::fromUtf8(category));
    row("Image1", false, QAccessible::Graphic, QStringLiteral("Pitovan"));
    row("Image2", false, QAccessible::Graphic, QStringLiteral("Rumbelo"));
}

void TestFPral::screenReadersNameEveryControl()
{
    QFETCH(QString, name);
    QFETCH(bool, browseButton);
    QFETCH(int, role);
    QFETCH(QString, accessibleName);
    QFETCH(QString, description);
    QWidget* target = control(name.toLatin1().constData());
    if (browseButton) {
        auto* button = target->findChild<QAbstractButton*>();
        QVERIFY(button);
        // Only screen readers hear of it: on screen it keeps its picture alone, and the field's hint.
        QCOMPARE(button->text(), QString());
        QCOMPARE(button->toolTip(), QString());
        target = button;
    }
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(target);
    QVERIFY(accessible);
    QCOMPARE(int(accessible->role()), role);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

CRIBAXON_GUI_TEST_MAIN(TestFPral)
#include "tst_fpral.moc"
