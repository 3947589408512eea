#include "balloon_hint.h"

#include "balloon_placement.h"
#include "qt_geometry.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace {

constexpr int shortTextLimit = 100;
constexpr int animationTime = 100;
const QColor fillColour(128, 255, 128);

QPainterPath outlinePath(QSize size, const BalloonMetrics& metrics)
{
    const BalloonOutline outline = balloonOutline(fromQt(size), metrics);
    const qreal left = outline.body.left;
    const qreal top = outline.body.top;
    const qreal right = outline.body.right();
    const qreal bottom = outline.body.bottom();
    const qreal diameter = 2 * outline.cornerRadius;
    QPainterPath path;
    path.moveTo(left + outline.cornerRadius, top);
    path.lineTo(toQt(outline.calloutStart));
    path.lineTo(toQt(outline.tip));
    path.lineTo(toQt(outline.calloutEnd));
    path.arcTo(QRectF(right - diameter, top, diameter, diameter), 90, -90);
    path.arcTo(QRectF(right - diameter, bottom - diameter, diameter, diameter), 0, -90);
    path.arcTo(QRectF(left, bottom - diameter, diameter, diameter), 270, -90);
    path.arcTo(QRectF(left, top, diameter, diameter), 180, -90);
    path.closeSubpath();
    return path;
}

// The filled and framed balloon, mirrored rather than drawn for each callout position, so that every
// position has the same pixels: the tip and the rounded corners included.
QImage shapeImage(QSize size, const BalloonMetrics& metrics, const BalloonPlacement& placement,
                  const QColor& frameColour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(frameColour, 1));
    painter.setBrush(fillColour);
    painter.drawPath(outlinePath(size, metrics));
    painter.end();
    return image.mirrored(placement.calloutEnd == Edge::Right, placement.calloutEdge == Edge::Bottom);
}

} // namespace

BalloonAnimation balloonAnimation(bool animateTips, bool fadeTips, qsizetype textLength)
{
    if (!animateTips || textLength >= shortTextLimit)
        return BalloonAnimation::None;
    return fadeTips ? BalloonAnimation::Fade : BalloonAnimation::Slide;
}

BalloonHint::BalloonHint(const QString& text, const QWidget& owner)
    // The pointer stands on the callout's tip and must stay over the control beneath. X11 gives a tool tip
    // stays-on-top anyway; asked for up front, the window is not made anew at its first show, which
    // would lose its transparency for the pointer.
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
                  | Qt::WindowDoesNotAcceptFocus)
    , m_text(text)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(owner.font());
    setPalette(owner.palette());

    m_metrics = balloonMetricsForDpi(logicalDpiY());
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_icon = style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this);
    const QRect textBounds
        = fontMetrics().boundingRect(QRect(0, 0, m_metrics.maxTextWidth, QWIDGETSIZE_MAX), Qt::TextWordWrap, m_text);
    const BalloonLayout layout = layOutBalloon(m_metrics, iconSize, fromQt(textBounds.size()));
    m_iconRect = toQt(layout.icon);
    m_textRect = toQt(layout.text);
    resize(toQt(layout.size));

    m_animator.setDuration(animationTime);
    m_animator.setStartValue(0.0);
    m_animator.setEndValue(1.0);
    connect(&m_animator, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { advance(value.toReal()); });
}

void BalloonHint::popUp(QPoint pointer, BalloonAnimation animation)
{
    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const BalloonPlacement placement = placeBalloon(fromQt(pointer), fromQt(size()), m_metrics.tipInset,
                                                    fromQt(screen->geometry()), fromQt(screen->availableGeometry()));
    const QRect place = toQt(placement.rect);
    m_bodyTop = balloonBodyTop(m_metrics, placement.calloutEdge);
    const QImage shape = shapeImage(size(), m_metrics, placement, palette().color(QPalette::WindowText));
    m_shape = QRegion(QBitmap::fromImage(shape.createAlphaMask()));
    paintFace(shape);
    setGeometry(place);

    m_animation = animation;
    m_underneath = QPixmap();
    // Fading blends with what lies beneath, so that it needs no compositing window manager.
    if (m_animation == BalloonAnimation::Fade) {
        const QPoint onScreen = place.topLeft() - screen->geometry().topLeft();
        m_underneath = screen->grabWindow(0, onScreen.x(), onScreen.y(), width(), height());
    }
    advance(m_animation == BalloonAnimation::None ? 1.0 : 0.0);
    show();
    if (m_animation != BalloonAnimation::None)
        m_animator.start();
}

void BalloonHint::paintFace(const QImage& shape)
{
    const qreal ratio = devicePixelRatioF();
    m_face = QPixmap(size() * ratio);
    m_face.setDevicePixelRatio(ratio);
    m_face.fill(Qt::transparent);
    QPainter painter(&m_face);
    painter.drawImage(rect(), shape);
    // The style gives the picture at the screen's scale, as large as it has it up to the icon's size.
    const QPixmap picture = m_icon.pixmap(iconRect().size());
    QRect place(QPoint(), picture.size());
    place.moveCenter(iconRect().center());
    painter.drawPixmap(place, picture);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(textRect(), Qt::TextWordWrap, m_text);
}

void BalloonHint::advance(qreal progress)
{
    m_progress = progress;
    switch (m_animation) {
    case BalloonAnimation::Slide:
        setMask(m_shape.translated(0, slideOffset()) & rect());
        break;
    case BalloonAnimation::Fade:
        if (m_underneath.isNull())
            setWindowOpacity(m_progress);
        setMask(m_shape);
        break;
    case BalloonAnimation::None:
        setMask(m_shape);
        break;
    }
    update();
}

int BalloonHint::slideOffset() const
{
    // At least the balloon's last row shows: an empty mask would show the whole window.
    return std::max(1, qRound(m_progress * height())) - height();
}

void BalloonHint::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_underneath.isNull()) {
        painter.drawPixmap(0, 0, m_underneath);
        painter.setOpacity(m_progress);
    }
    painter.drawPixmap(0, m_animation == BalloonAnimation::Slide ? slideOffset() : 0, m_face);
}
