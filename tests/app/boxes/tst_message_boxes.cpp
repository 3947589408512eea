#include "gui_test_main.h"
#include "message_boxes.h"
#include "modal_driver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <functional>

using MessageBoxes::Kind;
using namespace Qt::StringLiterals;

namespace {

struct Shown
{
    Kind kind;
    QString text;
};

} // namespace

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hookReceivesShownText_data();
    void hookReceivesShownText();
    void hookMayRemoveItself();
    void scopedHookEndsWithItsScope();
    void realErrorBox();
};

void TestMessageBoxes::hookReceivesShownText_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    const auto error = [](const char* name, const QString& message, const QString& shown) {
        QTest::addRow("error ending in %s", name) << Kind::Error << message << shown;
    };
    error("a letter", u"No se encuentra el archivo"_s, u"No se encuentra el archivo."_s);
    error("a digit", u"Error de entrada/salida 32"_s, u"Error de entrada/salida 32."_s);
    error("an accented letter", u"Sin conexión"_s, u"Sin conexión."_s);
    error("an inverted question mark", u"Seguro ¿"_s, u"Seguro ¿."_s);
    error("a colon", u"Fichero:"_s, u"Fichero:."_s);
    error("a question mark", u"¿Seguro?"_s, u"¿Seguro?."_s);
    error("a slash, just above the stop", u"/tmp/"_s, u"/tmp/."_s);
    error("a full stop", u"Disco lleno."_s, u"Disco lleno."_s);
    error("a hyphen, just below the stop", u"Disco -"_s, u"Disco -"_s);
    error("an exclamation mark", u"¡Disco lleno!"_s, u"¡Disco lleno!"_s);
    error("a closing parenthesis", u"Disco (1)"_s, u"Disco (1)"_s);
    error("a comma", u"Disco,"_s, u"Disco,"_s);
    error("a space", u"Disco "_s, u"Disco "_s);
    error("a line break", u"Disco\r"_s, u"Disco\r"_s);
    error("nothing (empty)", QString(), QString());
    QTest::addRow("information, line breaks kept as given")
        << Kind::Information << u"¡¡Fichero finalizado!!\r\rEste"_s << u"¡¡Fichero finalizado!!\r\rEste"_s;
    QTest::addRow("information ending in a letter gets no stop") << Kind::Information << u"Hecho"_s << u"Hecho"_s;
}

void TestMessageBoxes::hookReceivesShownText()
{
    QFETCH(Kind, kind);
    QFETCH(QString, message);
    QFETCH(QString, shown);

    QList<Shown> calls;
    const auto hook = MessageBoxes::testHook.scoped([&](Kind k, const QString& text) { calls.append({k, text}); });
    if (kind == Kind::Error)
        MessageBoxes::error(message);
    else
        MessageBoxes::information(nullptr, message);

    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.front().kind, kind);
    QCOMPARE(calls.front().text, shown);
}

void TestMessageBoxes::hookMayRemoveItself()
{
    QStringList seen;
    const QString tag = u"primero"_s;
    MessageBoxes::testHook.set([&seen, tag](Kind, const QString& text) {
        MessageBoxes::testHook.set([&seen](Kind, const QString& next) { seen << next; });
        // The running hook's captures must still be alive here.
        seen << tag + text;
    });
    MessageBoxes::error(u"a"_s);
    MessageBoxes::error(u"b"_s);
    MessageBoxes::testHook.set({});

    QCOMPARE(seen, QStringList({u"primeroa."_s, u"b."_s}));
}

void TestMessageBoxes::scopedHookEndsWithItsScope()
{
    int hookCalls = 0;
    {
        const auto hook = MessageBoxes::testHook.scoped([&](Kind, const QString&) { ++hookCalls; });
        MessageBoxes::information(nullptr, u"Texto"_s);
    }
    QString boxText;
    const ModalDriver driver([&](QDialog* box) {
        boxText = box->findChild<QLabel*>(QStringLiteral("text"))->text();
        box->accept();
    });
    MessageBoxes::information(nullptr, u"Fuera"_s);

    QCOMPARE(hookCalls, 1);
    QCOMPARE(boxText, u"Fuera"_s);
    QVERIFY(!driver.leftOpen());
}

void TestMessageBoxes::realErrorBox()
{
    QWidget window;
    window.move(10, 10);
    window.setFixedSize(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
    QRect frame;
    const ModalDriver driver([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        icon = box->icon();
        buttons = box->standardButtons();
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        modality = box->windowModality();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        frame = box->frameGeometry();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    MessageBoxes::error(u"No se encuentra el archivo <a.txt>"_s);

    QVERIFY(!driver.leftOpen());
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(title, u"Zorvanti Cribaxon"_s);
    QCOMPARE(text, u"No se encuentra el archivo <a.txt>."_s);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(modality, Qt::ApplicationModal);
    // Centred on the monitor, not on the window it came from: the gaps on either side differ by one pixel at the most.
    const QRect screen = window.screen()->geometry();
    QCOMPARE_LE(qAbs(frame.left() - screen.left() - (screen.right() - frame.right())), 1);
    QCOMPARE_LE(qAbs(frame.top() - screen.top() - (screen.bottom() - frame.bottom())), 1);
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

CRIBAXON_GUI_TEST_MAIN(TestMessageBoxes)
#include "tst_message_boxes.moc"
