#include "gui_test_main.h"
#include "jpeg_image.h"
#include "picture_area.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString picture1 = QStringLiteral(":/pictures/picture1.jpg");
const QString picture2 = QStringLiteral(":/pictures/picture2.jpg");
// Neither picture has this colour, so any pixel of it is the panel showing through.
const QColor panelColour(255, 0, 255);

QByteArray resource(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

// The area as the window has it: 150 × 137 at the top-left of a panel of its own colour.
struct Panel
{
    Panel()
    {
        panel.resize(153, 137);
        panel.setAutoFillBackground(true);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, panelColour);
        panel.setPalette(palette);
        area.setGeometry(0, 0, 150, 137);
    }

    QImage grab() { return panel.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget panel;
    PictureArea area {&panel};
};

QImage decoded(const QByteArray& data)
{
    return decodeJpeg(data, JpegColours::TrueColour).image.convertToFormat(QImage::Format_RGB32);
}

// Whether every pixel of the rows from `top` down is the panel's colour.
bool panelShowsFrom(const QImage& image, int top)
{
    for (int y = top; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != panelColour)
                return false;
        }
    }
    return true;
}

} // namespace

class TestPictureArea final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsThePictureUnscaled_data();
    void drawsThePictureUnscaled();
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

    QCOMPARE(shown.copy(0, 0, 150, height), decoded(resource(file)));
    QVERIFY(panelShowsFrom(shown.copy(0, height, 153, 137 - height), 0));
}

void TestPictureArea::decodesWhenFirstDrawn()
{
    const QString path = m_folder.filePath(QStringLiteral("later.jpg"));
    Panel panel;
    panel.area.setPictureFile(path);
    QVERIFY(writeFile(path, resource(picture2)));

    QCOMPARE(panel.grab().copy(0, 0, 150, 114), decoded(resource(picture2)));
}

void TestPictureArea::decodesOnlyOnce()
{
    const QString path = m_folder.filePath(QStringLiteral("once.jpg"));
    QVERIFY(writeFile(path, resource(picture1)));
    Panel panel;
    panel.area.setPictureFile(path);
    const QImage first = panel.grab();
    QVERIFY(writeFile(path, resource(picture2)));

    QCOMPARE(panel.grab(), first);
}

void TestPictureArea::drawsANewFileAfterTheChange()
{
    Panel panel;
    panel.area.setPictureFile(picture1);
    panel.grab();
    panel.area.setPictureFile(picture2);

    const QImage shown = panel.grab();

    QCOMPARE(shown.copy(0, 0, 150, 114), decoded(resource(picture2)));
    QVERIFY(panelShowsFrom(shown, 114));
}

void TestPictureArea::drawsNothingForUnusableFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("exists");

    QTest::addRow("missing file") << QByteArray() << false;
    QTest::addRow("empty file") << QByteArray() << true;
    QTest::addRow("not a JPEG") << QByteArrayLiteral("GIF89a") << true;
    QTest::addRow("cut in half") << resource(picture1).left(3000) << true;
}

void TestPictureArea::drawsNothingForUnusableFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, exists);
    const QString path = m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    if (exists)
        QVERIFY(writeFile(path, data));
    Panel panel;
    panel.area.setPictureFile(path);

    QVERIFY(panelShowsFrom(panel.grab(), 0));
    QVERIFY(panelShowsFrom(panel.grab(), 0));
}

void TestPictureArea::pointerIsAHand()
{
    PictureArea area;

    QCOMPARE(area.cursor().shape(), Qt::PointingHandCursor);
}

CRIBAXON_GUI_TEST_MAIN(TestPictureArea)
#include "tst_picture_area.moc"
