#include "gui_test_main.h"
#include "information_box.h"
#include "message_boxes.h"
#include "modal_driver.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QLabel* textOf(const QWidget* box)
{
    return box->findChild<QLabel*>(QStringLiteral("text"));
}

QPushButton* buttonOf(const QWidget* box)
{
    return box->findChild<QPushButton*>(QStringLiteral("accept"));
}

} // namespace

class TestInformationBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineBreaks_data();
    void lineBreaks();
    void layout_data();
    void layout();
    void longLinesWrap_data();
    void longLinesWrap();
    void frame();
    void centredOnScreen();
    void closing_data();
    void closing();
    void focusReturnsToTheWindow();
};

void TestInformationBox::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::addRow("LF") << u"uno\ndos"_s << u"uno\ndos"_s;
    QTest::addRow("CR") << u"uno\rdos"_s << u"uno\ndos"_s;
    QTest::addRow("CR LF is one break") << u"uno\r\ndos"_s << u"uno\ndos"_s;
    QTest::addRow("CR CR leaves an empty line") << u"uno\r\rdos"_s << u"uno\n\ndos"_s;
    QTest::addRow("LF CR leaves an empty line") << u"uno\n\rdos"_s << u"uno\n\ndos"_s;
    QTest::addRow("CR LF LF leaves an empty line") << u"uno\r\n\ndos"_s << u"uno\n\ndos"_s;
    QTest::addRow("completion text") << u"¡¡Fichero finalizado!!\r\rEste nuevo fichero de datos le servirá\r"
                                        "para cargar su Rumbelo o Pitovan con\rlos datos que Vd. desea."_s
                                     << u"¡¡Fichero finalizado!!\n\nEste nuevo fichero de datos le servirá\n"
                                        "para cargar su Rumbelo o Pitovan con\nlos datos que Vd. desea."_s;
    QTest::addRow("markup stays text") << u"<b>a</b> & b"_s << u"<b>a</b> & b"_s;
}

void TestInformationBox::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    const InformationBox box(nullptr, text);
    QCOMPARE(textOf(&box)->text(), shown);
    QCOMPARE(textOf(&box)->textFormat(), Qt::PlainText);
}

void TestInformationBox::layout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fontScale");

    QTest::addRow("narrower than the button") << u"Sí"_s << 1;
    QTest::addRow("wider than the button") << u"No ha seleccionado un fichero origen de datos válido!"_s << 1;
    QTest::addRow("several lines") << u"¡¡Fichero finalizado!!\r\rEste nuevo fichero de datos le servirá"_s << 1;
    QTest::addRow("a larger message font") << u"¡¡Fichero finalizado!!\r\rEste nuevo fichero"_s << 2;
}

void TestInformationBox::layout()
{
    QFETCH(QString, text);
    QFETCH(int, fontScale);

    // The box follows the desktop's message font, which may differ from the general one.
    const QFont desktopFont = QApplication::font("QMessageBox");
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(desktopFont, "QMessageBox"); });
    QFont messageFont = desktopFont;
    messageFont.setPointSizeF(desktopFont.pointSizeF() * fontScale);
    QApplication::setFont(messageFont, "QMessageBox");

    const InformationBox box(nullptr, text);
    const QRect label = textOf(&box)->geometry();
    const QRect button = buttonOf(&box)->geometry();
    QCOMPARE(textOf(&box)->font(), messageFont);
    QCOMPARE(buttonOf(&box)->font(), messageFont);
    // The label needs no more room than it has, or its text would be cut.
    QCOMPARE_LE(textOf(&box)->sizeHint().width(), label.width());
    QCOMPARE_LE(textOf(&box)->sizeHint().height(), label.height());
    // The button centred under the text; the wider of the two as far from the sides as the text from the top
    // and the button from the bottom.
    QCOMPARE_GT(button.top(), label.bottom());
    QCOMPARE_LE(qAbs(button.left() - (box.width() - 1 - button.right())), 1);
    QCOMPARE(box.width() - 1 - qMax(label.right(), button.right()), label.left());
    QCOMPARE(box.height() - 1 - button.bottom(), label.top());
}

void TestInformationBox::longLinesWrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeWords");

    QString words;
    for (int i = 0; i < 60; ++i)
        words += u"palabra%1 "_s.arg(i);
    QTest::addRow("words") << words.trimmed() << true;
    QTest::addRow("words after a short line") << u"Corta\r"_s + words.trimmed() << true;
    QTest::addRow("one word wider than the limit") << QString(300, u'x') << false;
}

void TestInformationBox::longLinesWrap()
{
    QFETCH(QString, text);
    QFETCH(bool, wholeWords);

    const int limit = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    // The row must need wrapping.
    QCOMPARE_GT(metrics.horizontalAdvance(text), limit);

    const InformationBox box(nullptr, text);
    const QStringList lines = textOf(&box)->text().split(u'\n');
    QCOMPARE_GT(lines.size(), 1);
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= limit, qPrintable(line));
    QCOMPARE_LE(textOf(&box)->width(), limit);
    // Wrapping moves text to the next line; it neither loses nor adds any.
    QCOMPARE(lines.join(QString()).remove(u' '), QString(text).remove(u' ').remove(u'\r'));
    if (wholeWords) {
        static const QRegularExpression word(u"^(Corta|palabra\\d+)$"_s);
        for (const QString& line : lines)
            for (const QString& part : line.split(u' '))
                QVERIFY2(word.match(part).hasMatch(), qPrintable(part));
    }
}

void TestInformationBox::frame()
{
    QPixmap programIcon(32, 32);
    programIcon.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(programIcon));

    const InformationBox box(nullptr, u"Texto"_s);
    QApplication::setWindowIcon(QIcon());

    QCOMPARE(box.windowTitle(), u"Zorvanti Cribaxon"_s);
    QVERIFY(box.windowIcon().isNull());
    QCOMPARE(box.findChildren<QLabel*>().size(), 1); // no icon beside the text
    QCOMPARE(buttonOf(&box)->text(), u"Aceptar"_s);
    QVERIFY(buttonOf(&box)->isDefault());
    QCOMPARE(box.minimumSize(), box.maximumSize());
}

void TestInformationBox::centredOnScreen()
{
    // A parent off to one side must not pull the box towards itself.
    QWidget window;
    window.move(10, 10);
    window.setFixedSize(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    InformationBox box(&window, u"Texto"_s);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    // The gaps on either side of the frame differ by one pixel at the most.
    const QRect screen = window.screen()->geometry();
    const QRect frame = box.frameGeometry();
    QCOMPARE_LE(qAbs(frame.left() - screen.left() - (screen.right() - frame.right())), 1);
    QCOMPARE_LE(qAbs(frame.top() - screen.top() - (screen.bottom() - frame.bottom())), 1);
}

void TestInformationBox::closing_data()
{
    QTest::addColumn<int>("key"); // 0: a click on the button; -1: the close box

    QTest::addRow("Enter") << int(Qt::Key_Enter);
    QTest::addRow("Return") << int(Qt::Key_Return);
    QTest::addRow("Esc") << int(Qt::Key_Escape);
    QTest::addRow("space") << int(Qt::Key_Space);
    QTest::addRow("click on the button") << 0;
    QTest::addRow("close box") << -1;
}

void TestInformationBox::closing()
{
    QFETCH(int, key);

    QString seenText;
    const ModalDriver driver([&](QDialog* box) {
        seenText = textOf(box)->text();
        QCOMPARE(box->focusWidget(), buttonOf(box));
        if (key > 0)
            QTest::keyClick(box->focusWidget(), Qt::Key(key));
        else if (key == 0)
            QTest::mouseClick(buttonOf(box), Qt::LeftButton);
        else
            box->close();
    });
    MessageBoxes::information(nullptr, u"uno\rdos"_s);

    QCOMPARE(seenText, u"uno\ndos"_s);
    QVERIFY(!driver.leftOpen());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestInformationBox::focusReturnsToTheWindow()
{
    QWidget window;
    auto* button = new QPushButton(u"Generar"_s, &window);
    auto* field = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(button);
    layout->addWidget(field);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    const QSignalSpy clicks(button, &QPushButton::clicked);

    const ModalDriver driver([&](QDialog* box) {
        // Through the window system, where modality applies.
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, button->geometry().center());
        QTest::keyClick(window.windowHandle(), Qt::Key_X);
        QTest::keyClick(box->focusWidget(), Qt::Key_Escape);
    });
    MessageBoxes::information(&window, u"Texto"_s);

    QVERIFY(!driver.leftOpen());
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(field->text(), QString());
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), field);
    // The same input now reaches the window.
    QTest::keyClick(window.windowHandle(), Qt::Key_X);
    QCOMPARE(field->text(), u"x"_s);
}

CRIBAXON_GUI_TEST_MAIN(TestInformationBox)
#include "tst_information_box.moc"
