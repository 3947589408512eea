#include "balloon_placement.h"

#include <QTest>

namespace {

constexpr int tipInset = 16;
const QSize balloon(200, 60);
const QRect screen(0, 0, 1024, 768);
const QRect taskBarBelow(0, 0, 1024, 738);
const QRect taskBarAbove(0, 30, 1024, 738);
const QRect panelLeft(40, 0, 984, 768);

} // namespace

class TestBalloonPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data();
    void placement();
};

void TestBalloonPlacement::placement_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<Qt::Edge>("calloutEdge");
    QTest::addColumn<Qt::Edge>("calloutEnd");

    // A callout at the right end puts the tip 16 pixels in from the balloon's right edge, so left = x - 183.
    QTest::addRow("upper half hangs below, callout right")
        << QPoint(500, 100) << balloon << screen << screen << QPoint(317, 100) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("lower half stands above, callout right")
        << QPoint(500, 600) << balloon << screen << screen << QPoint(317, 541) << Qt::BottomEdge << Qt::RightEdge;

    QTest::addRow("last row of the upper half")
        << QPoint(500, 383) << balloon << screen << screen << QPoint(317, 383) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("first row of the lower half")
        << QPoint(500, 384) << balloon << screen << screen << QPoint(317, 325) << Qt::BottomEdge << Qt::RightEdge;
    QTest::addRow("second row of the lower half")
        << QPoint(500, 385) << balloon << screen << screen << QPoint(317, 326) << Qt::BottomEdge << Qt::RightEdge;

    QTest::addRow("left distance one less than the width: callout left")
        << QPoint(199, 100) << balloon << screen << screen << QPoint(183, 100) << Qt::TopEdge << Qt::LeftEdge;
    QTest::addRow("left distance equal to the width: callout right")
        << QPoint(200, 100) << balloon << screen << screen << QPoint(17, 100) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("left distance one more than the width: callout right")
        << QPoint(201, 100) << balloon << screen << screen << QPoint(18, 100) << Qt::TopEdge << Qt::RightEdge;

    QTest::addRow("right edge one pixel short of the desktop's")
        << QPoint(1006, 100) << balloon << screen << screen << QPoint(823, 100) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("right edge on the desktop's")
        << QPoint(1007, 100) << balloon << screen << screen << QPoint(824, 100) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("right edge one pixel beyond: moved left")
        << QPoint(1008, 100) << balloon << screen << screen << QPoint(824, 100) << Qt::TopEdge << Qt::RightEdge;

    QTest::addRow("bottom one row above the task bar")
        << QPoint(500, 736) << balloon << screen << taskBarBelow << QPoint(317, 677) << Qt::BottomEdge << Qt::RightEdge;
    QTest::addRow("bottom on the desktop's last row")
        << QPoint(500, 737) << balloon << screen << taskBarBelow << QPoint(317, 678) << Qt::BottomEdge << Qt::RightEdge;
    QTest::addRow("bottom on the task bar: moved up")
        << QPoint(500, 738) << balloon << screen << taskBarBelow << QPoint(317, 678) << Qt::BottomEdge << Qt::RightEdge;

    QTest::addRow("top on a task bar above: moved down")
        << QPoint(500, 29) << balloon << screen << taskBarAbove << QPoint(317, 30) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("top on the desktop's first row")
        << QPoint(500, 30) << balloon << screen << taskBarAbove << QPoint(317, 30) << Qt::TopEdge << Qt::RightEdge;
    QTest::addRow("top one row below the desktop's first")
        << QPoint(500, 31) << balloon << screen << taskBarAbove << QPoint(317, 31) << Qt::TopEdge << Qt::RightEdge;

    // The side of the callout counts from the screen's edge, the push from the desktop's.
    QTest::addRow("left edge on a side panel: moved right")
        << QPoint(55, 100) << balloon << screen << panelLeft << QPoint(40, 100) << Qt::TopEdge << Qt::LeftEdge;
    QTest::addRow("left edge on the desktop's first column")
        << QPoint(56, 100) << balloon << screen << panelLeft << QPoint(40, 100) << Qt::TopEdge << Qt::LeftEdge;
    QTest::addRow("left edge one column inside the desktop")
        << QPoint(57, 100) << balloon << screen << panelLeft << QPoint(41, 100) << Qt::TopEdge << Qt::LeftEdge;

    QTest::addRow("tall balloon above a low pointer: moved down")
        << QPoint(500, 400) << QSize(200, 500) << screen << screen << QPoint(317, 0) << Qt::BottomEdge << Qt::RightEdge;
    QTest::addRow("larger than the desktop: top left corner kept in view")
        << QPoint(500, 100) << QSize(1100, 800) << screen << screen << QPoint(0, 0) << Qt::TopEdge << Qt::LeftEdge;

    const QRect secondScreen(1024, 200, 1280, 1024);
    QTest::addRow("second screen, near its left edge") << QPoint(1100, 300) << balloon << secondScreen << secondScreen
                                                       << QPoint(1084, 300) << Qt::TopEdge << Qt::LeftEdge;
    QTest::addRow("second screen, upper half counted from its top")
        << QPoint(2000, 700) << balloon << secondScreen << secondScreen << QPoint(1817, 700) << Qt::TopEdge
        << Qt::RightEdge;
}

void TestBalloonPlacement::placement()
{
    QFETCH(QPoint, pointer);
    QFETCH(QSize, size);
    QFETCH(QRect, screen);
    QFETCH(QRect, desktop);
    QFETCH(QPoint, topLeft);
    QFETCH(Qt::Edge, calloutEdge);
    QFETCH(Qt::Edge, calloutEnd);

    const BalloonPlacement placement = placeBalloon(pointer, size, tipInset, screen, desktop);

    QCOMPARE(placement.rect, QRect(topLeft, size));
    QCOMPARE(placement.calloutEdge, calloutEdge);
    QCOMPARE(placement.calloutEnd, calloutEnd);
}

QTEST_APPLESS_MAIN(TestBalloonPlacement)
#include "tst_balloon_placement.moc"
