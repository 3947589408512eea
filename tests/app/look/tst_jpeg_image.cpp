#include "gui_test_main.h"
#include "jpeg_image.h"
#include "qt_files.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

Q_DECLARE_METATYPE(JpegColours)

namespace {

// Encoded with libjpeg at full quality and full colour resolution, so that the decoded pixels are known.
QByteArray encode(const QImage& image, bool progressive)
{
    const bool grey = image.format() == QImage::Format_Grayscale8;
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.comp_info[0].h_samp_factor = 1;
    info.comp_info[0].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray data(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return data;
}

// Four 8 × 8 blocks of one colour each, so that nothing blurs across them.
QImage quadrants(QColor topLeft, QColor topRight, QColor bottomLeft, QColor bottomRight)
{
    QImage image(16, 16, QImage::Format_RGB888);
    image.fill(topLeft);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (x >= 8 || y >= 8)
                image.setPixelColor(x, y, y < 8 ? topRight : x < 8 ? bottomLeft : bottomRight);
        }
    }
    return image;
}

int largestDifference(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// Mean of the per-channel differences over the whole picture.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB888);
    const QImage right = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width() * 3; ++x)
            sum += std::abs(left.constScanLine(y)[x] - right.constScanLine(y)[x]);
    }
    return sum / (left.width() * left.height() * 3);
}

const QColor red(220, 30, 40);
const QColor green(30, 200, 60);
const QColor blue(40, 60, 220);
const QColor grey(143, 143, 143);

} // namespace

class TestJpegImage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesThePictures_data();
    void decodesThePictures();
    void keepsTheColours_data();
    void keepsTheColours();
    void colourMappedPictureLooksLikeTheOriginal();
    void refusesUnusableData_data();
    void refusesUnusableData();
    void coloursForScreenDepth_data();
    void coloursForScreenDepth();
};

void TestJpegImage::decodesThePictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<JpegColours>("colours");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<QImage::Format>("format");

    const QString picture1 = QStringLiteral(":/pictures/picture1.jpg");
    const QString picture2 = QStringLiteral(":/pictures/picture2.jpg");
    QTest::addRow("picture 1, true colour")
        << picture1 << JpegColours::TrueColour << QSize(150, 134) << true << QImage::Format_RGB888;
    QTest::addRow("picture 1, colour-mapped")
        << picture1 << JpegColours::ColourMapped << QSize(150, 134) << true << QImage::Format_Indexed8;
    QTest::addRow("picture 2, true colour")
        << picture2 << JpegColours::TrueColour << QSize(150, 114) << false << QImage::Format_RGB888;
    QTest::addRow("picture 2, colour-mapped")
        << picture2 << JpegColours::ColourMapped << QSize(150, 114) << false << QImage::Format_Indexed8;
    QTest::addRow("picture 1 at twice the size")
        << QStringLiteral(":/pictures/picture1@2x.jpg") << JpegColours::TrueColour << QSize(300, 268) << true
        << QImage::Format_RGB888;
    QTest::addRow("picture 2 at twice the size")
        << QStringLiteral(":/pictures/picture2@2x.jpg") << JpegColours::TrueColour << QSize(300, 228) << false
        << QImage::Format_RGB888;
}

void TestJpegImage::decodesThePictures()
{
    QFETCH(QString, file);
    QFETCH(JpegColours, colours);
    QFETCH(QSize, size);
    QFETCH(bool, progressive);
    QFETCH(QImage::Format, format);

    const JpegImage decoded = decodeJpeg(readFile(file), colours);

    QVERIFY2(!decoded.image.isNull(), qPrintable(decoded.error));
    QCOMPARE(decoded.image.size(), size);
    QCOMPARE(decoded.image.format(), format);
    QCOMPARE(decoded.progressive, progressive);
    QCOMPARE(decoded.error, QString());
    if (format == QImage::Format_Indexed8) {
        QCOMPARE_GE(decoded.image.colorCount(), 2);
        QCOMPARE_LE(decoded.image.colorCount(), 256);
    }
}

void TestJpegImage::keepsTheColours_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<JpegColours>("colours");

    const QImage colourful = quadrants(red, green, blue, grey);
    const QImage greys = quadrants(Qt::black, grey, Qt::white, QColor(60, 60, 60));
    for (const JpegColours colours : {JpegColours::TrueColour, JpegColours::ColourMapped}) {
        const char* mode = colours == JpegColours::TrueColour ? "true colour" : "colour-mapped";
        QTest::addRow("baseline, %s", mode) << colourful << false << colours;
        QTest::addRow("progressive, %s", mode) << colourful << true << colours;
        QTest::addRow("greyscale data, %s", mode)
            << greys.convertToFormat(QImage::Format_Grayscale8) << false << colours;
    }
}

void TestJpegImage::keepsTheColours()
{
    QFETCH(QImage, image);
    QFETCH(bool, progressive);
    QFETCH(JpegColours, colours);

    const JpegImage decoded = decodeJpeg(encode(image, progressive), colours);
    // The colour map is built from a histogram of 5 or 6 bits per channel.
    const int tolerance = colours == JpegColours::TrueColour ? 3 : 8;

    QVERIFY2(!decoded.image.isNull(), qPrintable(decoded.error));
    QCOMPARE(decoded.progressive, progressive);
    for (const QPoint centre : {QPoint(4, 4), QPoint(12, 4), QPoint(4, 12), QPoint(12, 12)}) {
        const QColor expected = image.pixelColor(centre);
        const QColor actual = decoded.image.pixelColor(centre);
        QVERIFY2(largestDifference(expected, actual) <= tolerance,
                 qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                .arg(centre.x())
                                .arg(centre.y())
                                .arg(actual.name(), expected.name())));
    }
}

void TestJpegImage::colourMappedPictureLooksLikeTheOriginal()
{
    const QByteArray data = readFile(QStringLiteral(":/pictures/picture1.jpg"));
    const QImage trueColour = decodeJpeg(data, JpegColours::TrueColour).image;
    const QImage mapped = decodeJpeg(data, JpegColours::ColourMapped).image;

    QCOMPARE_LT(meanDifference(trueColour, mapped), 4.0);
}

void TestJpegImage::refusesUnusableData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<JpegColours>("colours");

    const QByteArray picture1 = readFile(QStringLiteral(":/pictures/picture1.jpg"));
    const QByteArray picture2 = readFile(QStringLiteral(":/pictures/picture2.jpg"));
    QByteArray brokenScan = picture2;
    brokenScan.replace(brokenScan.size() / 2, 2, QByteArray::fromHex("ffd9"));

    const QList<std::pair<const char*, QByteArray>> damaged {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArrayLiteral("Zorvanti Cribaxon\r\n")},
        {"start marker only", picture1.left(2)},
        {"cut inside the headers", picture1.left(100)},
        {"progressive, cut in half", picture1.left(picture1.size() / 2)},
        {"baseline, cut in half", picture2.left(picture2.size() / 2)},
        {"baseline, end marker missing", picture2.chopped(2)},
        {"end marker inside the scan", brokenScan},
    };
    for (const JpegColours colours : {JpegColours::TrueColour, JpegColours::ColourMapped}) {
        const char* mode = colours == JpegColours::TrueColour ? "true colour" : "colour-mapped";
        for (const auto& [name, data] : damaged)
            QTest::addRow("%s, %s", name, mode) << data << colours;
    }
}

void TestJpegImage::refusesUnusableData()
{
    QFETCH(QByteArray, data);
    QFETCH(JpegColours, colours);

    const JpegImage decoded = decodeJpeg(data, colours);

    QVERIFY(decoded.image.isNull());
    QVERIFY(!decoded.error.isEmpty());
}

void TestJpegImage::coloursForScreenDepth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<JpegColours>("colours");

    QTest::addRow("16 colours") << 4 << JpegColours::ColourMapped;
    QTest::addRow("256 colours") << 8 << JpegColours::ColourMapped;
    QTest::addRow("15-bit colour") << 15 << JpegColours::TrueColour;
    QTest::addRow("24-bit colour") << 24 << JpegColours::TrueColour;
}

void TestJpegImage::coloursForScreenDepth()
{
    QFETCH(int, depth);
    QFETCH(JpegColours, colours);

    QCOMPARE(jpegColoursForDepth(depth), colours);
}

CRIBAXON_GUI_TEST_MAIN(TestJpegImage)
#include "tst_jpeg_image.moc"
