#include "gui_test_main.h"
#include "jpeg_image.h"
#include "picture_area.h"
#include "pixel_count.h"
#include "qt_files.h"
#include "qt_geometry.h"
#include "window_scaling.h"

#include <QTemporaryDir>

namespace {

const QString picture1 = QStringLiteral(":/pictures/picture1.jpg");
const QString picture2 = QStringLiteral(":/pictures/picture2.jpg");
const QString picture1Double = QStringLiteral(":/pictures/picture1@2x.jpg");
const QString picture2Double = QStringLiteral(":/pictures/picture2@2x.jpg");
// Neither picture has this colour, so any pixel of it is the panel showing through.
const QColor panelColour(255, 0, 255);

// The area as the window has it: 150 × 137 at the top-left of a panel of its own colour, 153 wide, in
// the window's font of `fontPixels` and scaled as the window scales for that font's line height.
struct Panel
{
    explicit Panel(int fontPixels = 11)
    {
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(fontPixels);
        panel.setFont(font);
        const int lineHeight = QFontMetrics(font).height();
        panel.resize(toQt(scaledForLineHeight(Size {153, 137}, lineHeight)));
        panel.setAutoFillBackground(true);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, panelColour);
        panel.setPalette(palette);
        area.setGeometry(toQt(scaledForLineHeight(Rect {0, 0, 150, 137}, lineHeight)));
    }

    QImage grab() { return panel.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget panel;
    PictureArea area {&panel};
};

QImage decoded(const QByteArray& data)
{
    return decodeJpeg(data, JpegColours::TrueColour).image.convertToFormat(QImage::Format_RGB32);
}

// How many pixels of the rows from `top` down show anything but the panel's colour.
int otherPixelsFrom(const QImage& image, int top)
{
    return pixelsNotOf(image, panelColour, QRect(0, top, image.width(), image.height() - top));
}

} // namespace

class TestPictureArea final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsThePictureUnscaled_data();
    void drawsThePictureUnscaled();
    void scalesWithTheLineHeight_data();
    void scalesWithTheLineHeight();
    void decodesWhenFirstDrawn();
    void decodesOnlyOnce();
    void drawsANewFileAfterTheChange();
    void drawsNothingForUnusableFiles_data();
    void drawsNothingForUnusableFiles();
    void pointerIsAHand();

private:
    QTemporaryDir m_folder;
};

void TestPictureArea::drawsThePictureUnscaled_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("height");

    QTest::addRow("picture 1") << picture1 << 134;
    QTest::addRow("picture 2") << picture2 << 114;
}

void TestPictureArea::drawsThePictureUnscaled()
{
    QFETCH(QString, file);
    QFETCH(int, height);
    Panel panel;
    panel.area.setPictureFile(file);

    const QImage shown = panel.grab();

    QCOMPARE(shown.copy(0, 0, 150, height), decoded(readFile(file)));
    QCOMPARE(otherPixelsFrom(shown.copy(0, height, 153, 137 - height), 0), 0);
}

void TestPictureArea::scalesWithTheLineHeight_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("drawnFrom");

    // 23 pixels give a line height of 26, 14 pixels one of 16.
    QTest::addRow("picture 1 at twice the line height") << picture1 << 23 << QSize(300, 268) << picture1Double;
    QTest::addRow("picture 2 at twice the line height") << picture2 << 23 << QSize(300, 228) << picture2Double;
    QTest::addRow("picture 1 at 16 pixels a line") << picture1 << 14 << QSize(185, 165) << QString();
    const QString single = m_folder.filePath(QStringLiteral("single.jpg"));
    writeFile(single, readFile(picture2));
    QTest::addRow("no double size beside it") << single << 23 << QSize(300, 228) << QString();
}

void TestPictureArea::scalesWithTheLineHeight()
{
    QFETCH(QString, file);
    QFETCH(int, fontPixels);
    QFETCH(QSize, size);
    QFETCH(QString, drawnFrom);
    Panel panel(fontPixels);
    panel.area.setPictureFile(file);

    const QImage shown = panel.grab();

    if (!drawnFrom.isEmpty())
        QCOMPARE(shown.copy(QRect({0, 0}, size)), decoded(readFile(drawnFrom)));
    // The picture up to its size, the panel's colour beside and below it.
    QCOMPARE(pixelsOf(shown, panelColour, QRect({0, 0}, size)), 0);
    QCOMPARE(otherPixelsFrom(shown, size.height()), 0);
    const QRect beside(size.width(), 0, shown.width() - size.width(), size.height());
    QCOMPARE(pixelsOf(shown, panelColour, beside), beside.width() * beside.height());
}

void TestPictureArea::decodesWhenFirstDrawn()
{
    const QString path = m_folder.filePath(QStringLiteral("later.jpg"));
    Panel panel;
    panel.area.setPictureFile(path);
    writeFile(path, readFile(picture2));

    QCOMPARE(panel.grab().copy(0, 0, 150, 114), decoded(readFile(picture2)));
}

void TestPictureArea::decodesOnlyOnce()
{
    const QString path = m_folder.filePath(QStringLiteral("once.jpg"));
    writeFile(path, readFile(picture1));
    Panel panel;
    panel.area.setPictureFile(path);
    const QImage first = panel.grab();
    writeFile(path, readFile(picture2));

    QCOMPARE(panel.grab(), first);
}

void TestPictureArea::drawsANewFileAfterTheChange()
{
    Panel panel;
    panel.area.setPictureFile(picture1);
    panel.grab();
    panel.area.setPictureFile(picture2);

    const QImage shown = panel.grab();

    QCOMPARE(shown.copy(0, 0, 150, 114), decoded(readFile(picture2)));
    QCOMPARE(otherPixelsFrom(shown, 114), 0);
}

void TestPictureArea::drawsNothingForUnusableFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("exists");

    QTest::addRow("missing file") << QByteArray() << false;
    QTest::addRow("empty file") << QByteArray() << true;
    QTest::addRow("not a JPEG") << QByteArrayLiteral("GIF89a") << true;
    QTest::addRow("cut in half") << readFile(picture1).left(3000) << true;
}

void TestPictureArea::drawsNothingForUnusableFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, exists);
    const QString path = m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    if (exists)
        writeFile(path, data);
    Panel panel;
    panel.area.setPictureFile(path);

    QCOMPARE(otherPixelsFrom(panel.grab(), 0), 0);
    // Drawn again, after the decoding failed, it draws nothing either.
    QCOMPARE(otherPixelsFrom(panel.grab(), 0), 0);
}

void TestPictureArea::pointerIsAHand()
{
    PictureArea area;

    QCOMPARE(area.cursor().shape(), Qt::PointingHandCursor);
}

CRIBAXON_GUI_TEST_MAIN(TestPictureArea)
#include "tst_picture_area.moc"
