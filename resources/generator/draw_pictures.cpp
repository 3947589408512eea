// Draws the program's pictures and icons; make.sh turns them into the files beside this folder.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Drawn four times larger and scaled down, so that the small details stay smooth.
constexpr int oversampling = 4;

// `size` is the size of the drawing; `scale` enlarges the picture made of it.
QImage render(QSize size, QColor ground, const Drawing& draw, int scale = 1)
{
    QImage large(size * scale * oversampling, QImage::Format_ARGB32_Premultiplied);
    large.fill(ground);
    {
        QPainter painter(&large);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale * oversampling, scale * oversampling);
        draw(painter);
    }
    return large.scaled(size * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QLinearGradient verticalGradient(const QRectF& box, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    for (const auto& [at, colour] : stops)
        gradient.setColorAt(at, colour);
    return gradient;
}

void fillEllipse(QPainter& painter, QPointF centre, qreal rx, qreal ry, const QBrush& brush)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawEllipse(centre, rx, ry);
}

// A soft oval shadow on the ground under a device.
void groundShadow(QPainter& painter, QPointF centre, qreal rx, qreal ry, int alpha)
{
    QRadialGradient gradient(QPointF(0, 0), 1);
    gradient.setColorAt(0, QColor(0, 0, 0, alpha));
    gradient.setColorAt(0.6, QColor(0, 0, 0, alpha / 2));
    gradient.setColorAt(1, QColor(0, 0, 0, 0));
    painter.save();
    painter.translate(centre);
    painter.scale(rx, ry);
    fillEllipse(painter, {0, 0}, 1, 1, gradient);
    painter.restore();
}

// A lamp: its lit colour with a glow around it, or a dark lens when off.
void lamp(QPainter& painter, QPointF centre, qreal radius, QColor colour, bool lit)
{
    if (lit) {
        QRadialGradient glow(centre, radius * 2.6);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0, halo);
        glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
        fillEllipse(painter, centre, radius * 2.6, radius * 2.6, glow);
    }
    QRadialGradient lens(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    lens.setColorAt(0, lit ? colour.lighter(170) : colour.darker(160));
    lens.setColorAt(0.5, lit ? colour : colour.darker(260));
    lens.setColorAt(1, lit ? colour.darker(130) : colour.darker(400));
    painter.setPen(QPen(QColor(10, 10, 12), 0.5));
    painter.setBrush(lens);
    painter.drawEllipse(centre, radius, radius);
}

void roundButton(QPainter& painter, QPointF centre, qreal radius)
{
    fillEllipse(painter, centre + QPointF(0, 0.8), radius, radius, QColor(12, 13, 15));
    QRadialGradient cap(centre - QPointF(radius * 0.4, radius * 0.5), radius * 1.6);
    cap.setColorAt(0, QColor(150, 156, 165));
    cap.setColorAt(0.6, QColor(78, 83, 91));
    cap.setColorAt(1, QColor(42, 45, 50));
    painter.setPen(QPen(QColor(20, 21, 24), 0.5));
    painter.setBrush(cap);
    painter.drawEllipse(centre, radius, radius);
}

// Seven-segment digits as on a cheap display, the unlit segments faintly visible.
void sevenSegments(QPainter& painter, const QRectF& box, const QString& digits, QColor on, QColor off)
{
    // Segments a to g of each digit 0 to 9, as bits 0 to 6.
    constexpr std::array<int, 10> patterns {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const qreal pitch = box.width() / digits.size();
    const qreal w = pitch * 0.7;
    const qreal h = box.height();
    const qreal t = w * 0.27;
    const qreal slant = h * 0.08;
    auto segment = [&](QPointF from, QPointF to) {
        QPainterPath path;
        const QPointF along = (to - from) / QLineF(from, to).length() * (t / 2);
        const QPointF across(-along.y(), along.x());
        path.moveTo(from + along);
        path.lineTo(from + along * 2 + across);
        path.lineTo(to - along * 2 + across);
        path.lineTo(to - along);
        path.lineTo(to - along * 2 - across);
        path.lineTo(from + along * 2 - across);
        path.closeSubpath();
        return path;
    };
    for (int i = 0; i < digits.size(); ++i) {
        const int pattern = patterns.at(static_cast<std::size_t>(digits.at(i).digitValue()));
        const qreal x = box.left() + i * pitch;
        auto at = [&](qreal fx, qreal fy) {
            return QPointF(x + fx * w + (1 - fy) * slant, box.top() + fy * h);
        };
        const std::array<QPainterPath, 7> segments {
            segment(at(0, 0), at(1, 0)),     segment(at(1, 0), at(1, 0.5)), segment(at(1, 0.5), at(1, 1)),
            segment(at(0, 1), at(1, 1)),     segment(at(0, 0.5), at(0, 1)), segment(at(0, 0), at(0, 0.5)),
            segment(at(0, 0.5), at(1, 0.5)),
        };
        painter.setPen(Qt::NoPen);
        for (std::size_t s = 0; s < segments.size(); ++s) {
            painter.setBrush((pattern >> s) & 1 ? on : off);
            painter.drawPath(segments.at(s));
        }
    }
}

// Font sizes are whole pixels, so the name is set in the pixels of the large image.
void brandName(QPainter& painter, const QRectF& box, const QString& name, QColor colour, qreal pixelSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qRound(pixelSize * oversampling));
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * oversampling * 0.12);
    painter.save();
    painter.scale(1.0 / oversampling, 1.0 / oversampling);
    painter.setFont(font);
    painter.setPen(colour);
    const QRectF large(box.topLeft() * oversampling, box.size() * oversampling);
    painter.drawText(large, Qt::AlignCenter, name);
    painter.restore();
}

// A small camera, the sign of a speed camera on the displays and in the icon.
void camera(QPainter& painter, const QRectF& body, QColor colour, QColor ring, QColor glass, bool glossy)
{
    const qreal u = body.width() / 10;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(body.left() + u, body.top() - u * 1.4, u * 3, u * 2), u * 0.4, u * 0.4);
    painter.drawRoundedRect(body, u, u);
    const QPointF lensCentre = body.center() + QPointF(u * 0.4, u * 0.2);
    const qreal lensRadius = body.height() * 0.34;
    painter.setBrush(ring);
    painter.drawEllipse(lensCentre, lensRadius, lensRadius);
    const qreal glassRadius = lensRadius * 0.6;
    if (!glossy) {
        fillEllipse(painter, lensCentre, glassRadius, glassRadius, glass);
        return;
    }
    QRadialGradient shade(lensCentre - QPointF(glassRadius, glassRadius) * 0.4, glassRadius * 1.4);
    shade.setColorAt(0, glass.lighter(190));
    shade.setColorAt(1, glass.darker(260));
    fillEllipse(painter, lensCentre, glassRadius, glassRadius, shade);
    const QPointF glint = lensCentre - QPointF(glassRadius, glassRadius) * 0.38;
    fillEllipse(painter, glint, glassRadius * 0.3, glassRadius * 0.3, QColor(255, 255, 255, 220));
}

// Picture 1: a Pitovan, a dark dashboard box with an amber display, lamps and buttons.
void drawPitovan(QPainter& painter)
{
    groundShadow(painter, {76, 101}, 66, 9, 90);

    // The power cord, leaving the right side and curling away to the bottom edge.
    QPainterPath cord(QPointF(128, 80));
    cord.cubicTo(QPointF(146, 84), QPointF(148, 102), QPointF(134, 112));
    cord.cubicTo(QPointF(122, 121), QPointF(132, 131), QPointF(150, 128));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 32, 36), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cord);
    painter.setPen(QPen(QColor(105, 110, 118), 0.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cord.translated(-0.6, -0.7));

    // Top face, seen from a little above, then the rubber foot and the front.
    const QRectF top(22, 30, 106, 22);
    painter.setPen(QPen(QColor(25, 27, 30), 0.6));
    painter.setBrush(verticalGradient(top, {{0, QColor(118, 124, 133)}, {1, QColor(70, 75, 83)}}));
    painter.drawRoundedRect(top, 9, 9);
    painter.setBrush(verticalGradient({104, 32, 14, 8}, {{0, QColor(150, 156, 164)}, {1, QColor(60, 64, 70)}}));
    painter.drawChord(QRectF(100, 33, 20, 14), 0, 180 * 16);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(18, 19, 21));
    painter.drawRoundedRect(QRectF(24, 88, 104, 11), 4, 4);

    const QRectF front(16, 40, 120, 54);
    painter.setPen(QPen(QColor(14, 15, 17), 0.8));
    painter.setBrush(verticalGradient(
        front,
        {{0, QColor(84, 90, 99)}, {0.12, QColor(60, 65, 73)}, {0.7, QColor(38, 41, 46)}, {1, QColor(26, 28, 32)}}));
    painter.drawRoundedRect(front, 10, 10);
    painter.setPen(QPen(QColor(170, 176, 185, 150), 0.7));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(26, 41.2), QPointF(126, 41.2));

    // The display: bezel, dark glass, a camera sign, the speed and a distance bar.
    const QRectF bezel(24, 47, 68, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(verticalGradient(bezel, {{0, QColor(10, 11, 12)}, {1, QColor(52, 56, 62)}}));
    painter.drawRoundedRect(bezel, 4, 4);
    const QRectF glass = bezel.adjusted(2.2, 2.2, -2.2, -2.2);
    painter.setBrush(verticalGradient(glass, {{0, QColor(34, 22, 8)}, {1, QColor(14, 9, 4)}}));
    painter.drawRoundedRect(glass, 2.5, 2.5);

    const QColor amber(255, 176, 40);
    const QColor ghost(52, 33, 11);
    camera(painter, QRectF(30.5, 55, 15, 10), amber, QColor(34, 22, 8), amber, false);
    sevenSegments(painter, QRectF(50, 53, 36, 15), QStringLiteral("120"), amber, ghost);
    for (int i = 0; i < 8; ++i) {
        painter.setBrush(i < 5 ? amber : ghost);
        painter.drawRoundedRect(QRectF(30.5 + i * 7, 72.5, 5.5, 4), 0.8, 0.8);
    }
    QPainterPath glare;
    glare.moveTo(glass.topLeft());
    glare.lineTo(glass.left() + 30, glass.top());
    glare.lineTo(glass.left() + 12, glass.bottom());
    glare.lineTo(glass.left(), glass.bottom());
    glare.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 22));
    painter.drawPath(glare);

    lamp(painter, {103, 53}, 2.8, QColor(255, 40, 30), true);
    lamp(painter, {113, 53}, 2.8, QColor(255, 170, 0), false);
    lamp(painter, {123, 53}, 2.8, QColor(40, 220, 60), false);
    roundButton(painter, {105, 70}, 6);
    roundButton(painter, {122, 70}, 6);

    brandName(painter, QRectF(16, 83, 120, 10), QStringLiteral("PITOVAN"), QColor(196, 201, 208), 7);
}

// Picture 2: a Rumbelo, a silver capsule under a windscreen arm, with a round blue dial.
void drawRumbelo(QPainter& painter)
{
    groundShadow(painter, {76, 99}, 62, 7, 110);

    // The arm comes down from the suction cup, out of the picture, to a ball joint.
    const QRectF arm(69, -2, 12, 36);
    painter.setPen(QPen(QColor(20, 22, 25), 0.6));
    QLinearGradient armShade(arm.topLeft(), arm.topRight());
    armShade.setColorAt(0, QColor(40, 43, 48));
    armShade.setColorAt(0.35, QColor(96, 101, 109));
    armShade.setColorAt(1, QColor(28, 30, 34));
    painter.setBrush(armShade);
    painter.drawRoundedRect(arm, 3, 3);
    QRadialGradient ball(QPointF(72, 29), 10);
    ball.setColorAt(0, QColor(140, 146, 154));
    ball.setColorAt(1, QColor(24, 26, 30));
    painter.setBrush(ball);
    painter.drawEllipse(QPointF(75, 33), 7.5, 7.5);

    const QRectF body(10, 36, 132, 58);
    painter.setPen(QPen(QColor(92, 98, 106), 0.8));
    painter.setBrush(verticalGradient(body,
                                      {{0, QColor(250, 251, 252)},
                                       {0.3, QColor(214, 219, 225)},
                                       {0.55, QColor(176, 182, 190)},
                                       {0.8, QColor(222, 226, 231)},
                                       {1, QColor(160, 166, 174)}}));
    painter.drawRoundedRect(body, 29, 29);

    const QRectF face = body.adjusted(5, 5, -5, -5);
    painter.setPen(QPen(QColor(8, 12, 18), 0.7));
    painter.setBrush(verticalGradient(face, {{0, QColor(38, 50, 66)}, {1, QColor(10, 15, 22)}}));
    painter.drawRoundedRect(face, 24, 24);

    // The dial: a chrome ring, a scale of blue marks and the speed in the middle.
    const QPointF dialCentre(40, 65);
    QLinearGradient chrome(dialCentre - QPointF(0, 20), dialCentre + QPointF(0, 20));
    chrome.setColorAt(0, QColor(245, 247, 250));
    chrome.setColorAt(0.5, QColor(120, 128, 138));
    chrome.setColorAt(1, QColor(220, 225, 232));
    fillEllipse(painter, dialCentre, 20, 20, chrome);
    fillEllipse(painter, dialCentre, 17.5, 17.5, QColor(6, 10, 16));
    const QColor blue(60, 170, 255);
    const QColor dim(22, 48, 74);
    constexpr int marks = 15;
    for (int i = 0; i < marks; ++i) {
        const qreal angle = 225 - i * 270.0 / (marks - 1);
        painter.save();
        painter.translate(dialCentre);
        painter.rotate(-angle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(i < 9 ? (i < 7 ? blue : QColor(255, 80, 60)) : dim);
        painter.drawRoundedRect(QRectF(13, -1.1, 3.6, 2.2), 0.8, 0.8);
        painter.restore();
    }
    sevenSegments(painter, QRectF(31.5, 58.5, 19, 13), QStringLiteral("90"), QColor(160, 220, 255), QColor(14, 26, 40));

    brandName(painter, QRectF(66, 45, 62, 10), QStringLiteral("RUMBELO"), QColor(182, 204, 226), 7.5);
    for (int i = 0; i < 7; ++i) {
        painter.setBrush(i < 4 ? blue : dim);
        painter.drawRoundedRect(QRectF(72 + i * 7.6, 58, 5.6, 3), 1, 1);
    }
    for (int i = 0; i < 4; ++i) {
        const QRectF slot(76, 66 + i * 4.2, 44 - i * 4, 1.8);
        painter.setBrush(QColor(0, 0, 0));
        painter.drawRoundedRect(slot, 0.9, 0.9);
        painter.setBrush(QColor(90, 110, 135, 120));
        painter.drawRect(QRectF(slot.left() + 1, slot.bottom(), slot.width() - 2, 0.4));
    }

    // The light on the metal's upper edge.
    QPainterPath shine;
    shine.moveTo(34, 38.2);
    shine.quadTo(75, 36.2, 116, 38.2);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 0.9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shine);
}

// The icon on a 256-unit square: a red warning triangle with a camera in it.
void drawIcon(QPainter& painter, qreal size, bool shadow)
{
    painter.scale(size / 256, size / 256);
    QPainterPath triangle;
    triangle.moveTo(128, 30);
    triangle.lineTo(232, 210);
    triangle.lineTo(24, 210);
    triangle.closeSubpath();

    if (shadow) {
        for (int i = 0; i < 6; ++i) {
            painter.setPen(QPen(QColor(0, 0, 0, 14), 30 + i * 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(QColor(0, 0, 0, 14));
            painter.drawPath(triangle.translated(0, 8));
        }
    }
    const QRectF box = triangle.boundingRect().adjusted(-16, -16, 16, 16);
    painter.setPen(QPen(QColor(150, 14, 18), 36, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(150, 14, 18));
    painter.drawPath(triangle);
    painter.setPen(QPen(verticalGradient(box, {{0, QColor(240, 62, 58)}, {1, QColor(196, 24, 28)}}), 30, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(painter.pen().brush());
    painter.drawPath(triangle);

    const QPointF centroid(128, 150);
    const QPainterPath inner = QTransform()
                                   .translate(centroid.x(), centroid.y())
                                   .scale(0.66, 0.66)
                                   .translate(-centroid.x(), -centroid.y())
                                   .map(triangle);
    painter.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(verticalGradient(inner.boundingRect(), {{0, QColor(255, 255, 255)}, {1, QColor(226, 228, 232)}}));
    painter.drawPath(inner);

    camera(painter, QRectF(92, 136, 72, 44), QColor(28, 30, 34), Qt::white, QColor(50, 100, 170), true);
}

// The program's icon keeps to 16 colours: 15 chosen for the drawing, and transparency.
QImage withSixteenColours(const QImage& icon)
{
    const QList<QRgb> palette {
        qRgba(0, 0, 0, 0),   qRgb(120, 10, 14),   qRgb(156, 16, 20),   qRgb(196, 26, 30),
        qRgb(226, 44, 44),   qRgb(242, 70, 64),   qRgb(236, 146, 142), qRgb(255, 255, 255),
        qRgb(228, 229, 233), qRgb(176, 178, 184), qRgb(104, 106, 112), qRgb(28, 30, 34),
        qRgb(24, 48, 96),    qRgb(60, 112, 186),  qRgb(150, 190, 236), qRgb(200, 120, 120),
    };
    const QImage source = icon.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            int nearest = 0;
            if (qAlpha(pixel) >= 128) {
                int best = std::numeric_limits<int>::max();
                for (int i = 1; i < palette.size(); ++i) {
                    const int dr = qRed(pixel) - qRed(palette.at(i));
                    const int dg = qGreen(pixel) - qGreen(palette.at(i));
                    const int db = qBlue(pixel) - qBlue(palette.at(i));
                    const int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
                    if (distance < best) {
                        best = distance;
                        nearest = i;
                    }
                }
            }
            result.setPixel(x, y, static_cast<uint>(nearest));
        }
    }
    return result;
}

// The browse button's open yellow folder, drawn pixel by pixel to stay crisp at its size.
QImage openFolder()
{
    constexpr std::array<const char*, 12> rows {
        ".KKKK.........", //
        "KhhhhK........", //
        "KhyyyyKKKKKK..", //
        "KhyyyyyyyyyK..", //
        "KhyyyyyyyyyK..", //
        "KhyKKKKKKKKKKK", //
        "KhyKwwwwwwwwwK", //
        "KhKLLLLLLLLLK.", //
        "KyKLLLLLLLLLK.", //
        "KKLLLLLLLLLK..", //
        "KKMMMMMMMMMK..", //
        "KKKKKKKKKKK...", //
    };
    QImage image(14, 12, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb colour = qRgba(0, 0, 0, 0);
            switch (rows.at(static_cast<std::size_t>(y))[x]) {
            case 'K':
                colour = qRgb(120, 84, 0);
                break;
            case 'y':
                colour = qRgb(222, 164, 30);
                break;
            case 'h':
                colour = qRgb(244, 204, 90);
                break;
            case 'w':
                colour = qRgb(255, 242, 172);
                break;
            case 'L':
                colour = qRgb(255, 214, 64);
                break;
            case 'M':
                colour = qRgb(236, 180, 30);
                break;
            default:
                break;
            }
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name, const char* format)
{
    const QString path = folder.filePath(name);
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    bool written = true;
    // Each picture also twice as large, named as Qt names such pictures, for screens that scale by two.
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        written &= save(render({150, 134}, Qt::white, drawPitovan, scale).convertToFormat(QImage::Format_RGB888),
                        folder, QStringLiteral("picture1%1.ppm").arg(suffix), "PPM");
        written &= save(
            render({150, 114}, QColor(143, 143, 143), drawRumbelo, scale).convertToFormat(QImage::Format_RGB888),
            folder, QStringLiteral("picture2%1.ppm").arg(suffix), "PPM");
    }
    for (const int size : {32, 48, 64, 128, 256}) {
        const QImage icon
            = render({size, size}, Qt::transparent, [size](QPainter& painter) { drawIcon(painter, size, size > 32); });
        written
            &= save(size == 32 ? withSixteenColours(icon) : icon, folder, QStringLiteral("%1.png").arg(size), "PNG");
    }
    written &= save(openFolder(), folder, QStringLiteral("open_folder.png"), "PNG");
    // Each pixel doubled, so that the drawing stays as crisp on a screen that scales by two.
    written &= save(openFolder().scaled(28, 24, Qt::IgnoreAspectRatio, Qt::FastTransformation), folder,
                    QStringLiteral("open_folder@2x.png"), "PNG");
    return written ? 0 : 1;
}
