#include "gui_test_main.h"
#include "window_scaling.h"

class TestWindowScaling final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scalesByTheRatioOfLineHeights_data();
    void scalesByTheRatioOfLineHeights();
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
    QTest::addRow("left of the panel") << QRect(-2, 0, 150, 137) << 15 << QRect(-2, 0, 173, 158);
}

void TestWindowScaling::scalesByTheRatioOfLineHeights()
{
    QFETCH(QRect, designed);
    QFETCH(int, lineHeight);
    QFETCH(QRect, scaled);
    QCOMPARE(scaledForLineHeight(designed, lineHeight), scaled);
}

CRIBAXON_GUI_TEST_MAIN(TestWindowScaling)
#include "tst_window_scaling.moc"
