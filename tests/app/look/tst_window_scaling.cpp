#include "gui_test_main.h"
#include "window_scaling.h"

class TestWindowScaling final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scalesByTheRatioOfLineHeights_data();
    void scalesByTheRatioOfLineHeights();
    void scalesByTheDotsPerInch_data();
    void scalesByTheDotsPerInch();
};

void TestWindowScaling::scalesByTheRatioOfLineHeights_data()
{
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QRect>("scaled");
    QTest::addRow("designed height keeps everything") << QRect(86, 148, 201, 21) << 13 << QRect(86, 148, 201, 21);
    QTest::addRow("twice the height doubles") << QRect(86, 148, 201, 21) << 26 << QRect(172, 296, 402, 42);
    QTest::addRow("client area at 16") << QRect(0, 0, 300, 394) << 16 << QRect(0, 0, 369, 485);
    // Edges are scaled, not sizes, so neighbours that touched still touch.
    QTest::addRow("row edges at 12") << QRect(8, 208, 121, 21) << 12 << QRect(7, 192, 112, 19);
    QTest::addRow("next row at 12") << QRect(8, 224, 121, 21) << 12 << QRect(7, 207, 112, 19);
    // Its width alone would give 172: 140 × 16 / 13 rounded. Its edges, 144 and 284, give 177 and 350.
    QTest::addRow("speed box at 16") << QRect(144, 208, 140, 21) << 16 << QRect(177, 256, 173, 26);
    // A height alone would give 24 here: 21 × 15 / 13 rounded. The edges, 224 and 245, give 258 and 283.
    QTest::addRow("category box at 15") << QRect(8, 224, 121, 21) << 15 << QRect(9, 258, 140, 25);
    QTest::addRow("left of the panel") << QRect(-2, 0, 150, 137) << 15 << QRect(-2, 0, 173, 158);
}

void TestWindowScaling::scalesByTheRatioOfLineHeights()
{
    QFETCH(QRect, designed);
    QFETCH(int, lineHeight);
    QFETCH(QRect, scaled);
    QCOMPARE(scaledForLineHeight(designed, lineHeight), scaled);
}

void TestWindowScaling::scalesByTheDotsPerInch_data()
{
    QTest::addColumn<int>("designed");
    QTest::addColumn<int>("dotsPerInch");
    QTest::addColumn<int>("scaled");
    // The window font's 11 pixels at the scales of 1, 1.25, 1.5 and 2.
    QTest::addRow("96") << 11 << 96 << 11;
    QTest::addRow("120, 13.75 rounded") << 11 << 120 << 14;
    QTest::addRow("144, a half rounded up") << 11 << 144 << 17;
    QTest::addRow("192") << 11 << 192 << 22;
    QTest::addRow("72, 9.75 rounded") << 13 << 72 << 10;
    QTest::addRow("negative half rounded away from zero") << -2 << 120 << -3;
}

void TestWindowScaling::scalesByTheDotsPerInch()
{
    QFETCH(int, designed);
    QFETCH(int, dotsPerInch);
    QFETCH(int, scaled);
    QCOMPARE(scaledForDpi(designed, dotsPerInch), scaled);
}

CRIBAXON_GUI_TEST_MAIN(TestWindowScaling)
#include "tst_window_scaling.moc"
