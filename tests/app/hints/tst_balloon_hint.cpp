#include "balloon_hint.h"
#include "gui_test_main.h"
#include "pixel_count.h"

#include <QBitmap>
#include <QScreen>
#include <QStyle>

namespace {

const QColor fill(128, 255, 128);
const QString hint = QStringLiteral("Seleccionar el fichero original de datos del Pitovan o Rumbelo");

QColor pixelAt(QWidget& widget, QPoint point)
{
    return widget.grab().toImage().pixelColor(point);
}

} // namespace

class TestBalloonHint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void shape_data();
    void shape();
    void face();
    void textWraps_data();
    void textWraps();
    void animationChoice_data();
    void animationChoice();
    void slideUncoversFromTheBottomRow();
    void fadeEndsOpaque();

private:
    QWidget m_owner;
};

void TestBalloonHint::init()
{
    QFont font = m_owner.font();
    font.setPixelSize(11);
    m_owner.setFont(font);
}

void TestBalloonHint::shape_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("calloutOnTop");
    QTest::addRow("upper half, right") << screen.center() + QPoint(200, -150) << true;
    QTest::addRow("lower half, right") << screen.center() + QPoint(200, 150) << false;
    QTest::addRow("upper half, near the left edge") << QPoint(screen.left() + 20, screen.top() + 100) << true;
    QTest::addRow("lower half, near the left edge") << QPoint(screen.left() + 20, screen.bottom() - 100) << false;
}

void TestBalloonHint::shape()
{
    QFETCH(QPoint, pointer);
    QFETCH(bool, calloutOnTop);
    BalloonHint balloon(hint, m_owner);
    balloon.popUp(pointer, BalloonAnimation::None);

    const QRegion mask = balloon.mask();
    const QPoint tip = pointer - balloon.pos();
    QVERIFY(mask.contains(tip));
    QCOMPARE(tip.y(), calloutOnTop ? 0 : balloon.height() - 1);
    // The same row at the other end of the balloon lies outside the callout.
    QVERIFY(!mask.contains(QPoint(balloon.width() - 1 - tip.x(), tip.y())));

    const int right = balloon.width() - 1;
    const int bodyTop = calloutOnTop ? 15 : 0;
    const int bodyBottom = calloutOnTop ? balloon.height() - 1 : balloon.height() - 16;
    for (const QPoint corner : {QPoint(0, bodyTop), QPoint(right, bodyTop), QPoint(0, bodyBottom),
                                QPoint(right, bodyBottom), QPoint(1, bodyTop + 1), QPoint(right - 1, bodyBottom - 1)})
        QVERIFY2(!mask.contains(corner), qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
    QVERIFY(mask.contains(QPoint(0, (bodyTop + bodyBottom) / 2)));
    QVERIFY(mask.contains(QPoint(right / 2, bodyTop)));
    QVERIFY(mask.contains(QPoint(right / 2, bodyBottom)));
}

void TestBalloonHint::face()
{
    QPalette palette = m_owner.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 160));
    m_owner.setPalette(palette);
    BalloonHint balloon(hint, m_owner);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    balloon.popUp(screen.center() - QPoint(0, 100), BalloonAnimation::None);
    const QImage image = balloon.grab().toImage();

    const int middle = balloon.width() / 2;
    const int bottom = balloon.height() - 1;
    QCOMPARE(image.pixelColor(middle, bottom), QColor(0, 0, 160));
    QCOMPARE(image.pixelColor(middle, bottom - 1), fill);
    QCOMPARE(image.pixelColor(middle, bottom - 3), fill);

    const int iconSize = balloon.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &balloon);
    QCOMPARE(balloon.iconRect().size(), QSize(iconSize, iconSize));
    QCOMPARE_LT(balloon.iconRect().right(), balloon.textRect().left());
    // The information icon is drawn, and the text in the window-text colour.
    const QImage icon = image.copy(balloon.iconRect());
    QCOMPARE_GT(pixelsNotOf(icon, fill), iconSize * iconSize / 4);
    const QImage text = image.copy(balloon.textRect());
    QCOMPARE_LT(pixelsNotOf(text, QColor(0, 0, 160)), text.width() * text.height());
}

void TestBalloonHint::textWraps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addRow("short hint, one line") << QStringLiteral("Pulsar") << 1;
    QTest::addRow("long hint, word wrapped") << hint + QLatin1Char(' ') + hint + QLatin1Char(' ') + hint << 3;
}

void TestBalloonHint::textWraps()
{
    QFETCH(QString, text);
    QFETCH(int, lines);
    BalloonHint balloon(text, m_owner);

    const QFontMetrics metrics(m_owner.font());
    QCOMPARE_GE(balloon.textRect().height(), lines * metrics.height());
    if (lines == 1)
        QCOMPARE_LT(balloon.textRect().height(), 2 * metrics.height());
    else
        QCOMPARE_LT(balloon.textRect().width(), metrics.horizontalAdvance(text));
    QCOMPARE_LE(balloon.width(), QGuiApplication::primaryScreen()->geometry().width() / 2);
}

void TestBalloonHint::animationChoice_data()
{
    QTest::addColumn<bool>("animate");
    QTest::addColumn<bool>("fade");
    QTest::addColumn<int>("length");
    QTest::addColumn<BalloonAnimation>("expected");
    QTest::addRow("fade, 99 characters") << true << true << 99 << BalloonAnimation::Fade;
    QTest::addRow("fade, 100 characters") << true << true << 100 << BalloonAnimation::None;
    QTest::addRow("fade, 101 characters") << true << true << 101 << BalloonAnimation::None;
    QTest::addRow("slide, 99 characters") << true << false << 99 << BalloonAnimation::Slide;
    QTest::addRow("slide, 100 characters") << true << false << 100 << BalloonAnimation::None;
    QTest::addRow("no animation, fade setting on") << false << true << 10 << BalloonAnimation::None;
    QTest::addRow("no animation at all") << false << false << 10 << BalloonAnimation::None;
}

void TestBalloonHint::animationChoice()
{
    QFETCH(bool, animate);
    QFETCH(bool, fade);
    QFETCH(int, length);
    QFETCH(BalloonAnimation, expected);
    QCOMPARE(balloonAnimation(animate, fade, length), expected);
}

void TestBalloonHint::slideUncoversFromTheBottomRow()
{
    BalloonHint balloon(hint, m_owner);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    balloon.popUp(screen.center() - QPoint(0, 100), BalloonAnimation::Slide);
    QCOMPARE(balloon.mask().boundingRect().top(), 0);
    QCOMPARE(balloon.mask().boundingRect().height(), 1);
    // Its last row, the bottom of the frame, comes in first.
    QCOMPARE(pixelAt(balloon, QPoint(balloon.width() / 2, 0)), m_owner.palette().color(QPalette::WindowText));

    QTRY_COMPARE_WITH_TIMEOUT(balloon.mask().boundingRect(), balloon.rect(), 2000);
    QCOMPARE(pixelAt(balloon, QPoint(balloon.width() / 2, balloon.height() - 3)), fill);
}

void TestBalloonHint::fadeEndsOpaque()
{
    BalloonHint balloon(hint, m_owner);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    balloon.popUp(screen.center() - QPoint(0, 100), BalloonAnimation::Fade);
    const QPoint sample(balloon.width() / 2, balloon.height() - 3);
    // Either the window itself is transparent or it shows what lay beneath it.
    QVERIFY(balloon.windowOpacity() < 1.0 || pixelAt(balloon, sample) != fill);

    QTRY_COMPARE_WITH_TIMEOUT(pixelAt(balloon, sample), fill, 2000);
    QCOMPARE(balloon.windowOpacity(), 1.0);
    QCOMPARE(balloon.mask().boundingRect(), balloon.rect());
}

CRIBAXON_GUI_TEST_MAIN(TestBalloonHint)
#include "tst_balloon_hint.moc"
