#include "flat_style.h"

#include "window_scaling.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// At 96 dots per inch, as every length below.
constexpr int IndicatorSize = 13;
constexpr int LabelSpacing = 4;
constexpr int TickInset = 3;
constexpr qreal TickWidth = 1.6;

// The screen's dots per inch, from the font the control is drawn with, as Qt's own styles take it.
int dotsPerInch(const QStyleOption* option, const QWidget* widget)
{
    if (option)
        return qRound(option->fontMetrics.fontDpi());
    return widget ? widget->logicalDpiY() : DesignDotsPerInch;
}

struct Look
{
    QColor frame;
    QColor fill;
};

// The colours of one state of a control, from the palette it is drawn with.
Look lookFor(const QStyleOption& option)
{
    const QPalette& palette = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const bool hot = option.state & QStyle::State_MouseOver;
    const bool focused = option.state & QStyle::State_HasFocus;
    if (!enabled)
        return {palette.color(QPalette::Disabled, QPalette::WindowText), palette.color(QPalette::Button)};
    QColor frame = palette.color(QPalette::Shadow);
    if (hot || focused)
        frame = palette.color(QPalette::Highlight);
    QColor fill = palette.color(QPalette::Base);
    if (pressed)
        fill = palette.color(QPalette::Highlight).lighter(170);
    else if (hot)
        fill = palette.color(QPalette::Highlight).lighter(190);
    return {frame, fill};
}

} // namespace

FlatStyle::FlatStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{ }

void FlatStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (qobject_cast<QAbstractButton*>(widget))
        widget->setAttribute(Qt::WA_Hover);
}

int FlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int dpi = dotsPerInch(option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return scaledForDpi(IndicatorSize, dpi);
    case PM_CheckBoxLabelSpacing:
        return scaledForDpi(LabelSpacing, dpi);
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
        return scaledForDpi(1, dpi);
    // The base style's size is made for 96 dots per inch; the text beside the icon grows with the screen's.
    case PM_MessageBoxIconSize:
        return scaledForDpi(QProxyStyle::pixelMetric(metric, option, widget), dpi);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QIcon FlatStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const
{
    const QIcon icon = QProxyStyle::standardIcon(which, option, widget);
    const int dpi = dotsPerInch(option, widget);
    if (which < SP_MessageBoxInformation || which > SP_MessageBoxQuestion || dpi <= DesignDotsPerInch)
        return icon;
    // The base style has the message boxes' pictures in the sizes of 96 dots per inch only, and an icon never
    // enlarges its pictures itself.
    QIcon enlarged;
    for (const QSize& size : icon.availableSizes()) {
        const QSize scaled(scaledForDpi(size.width(), dpi), scaledForDpi(size.height(), dpi));
        enlarged.addPixmap(icon.pixmap(size).scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return enlarged.isNull() ? icon : enlarged;
}

QRect FlatStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element == SE_CheckBoxClickRect)
        return option->rect;
    return QProxyStyle::subElementRect(element, option, widget);
}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    switch (element) {
    case PE_IndicatorCheckBox:
        drawIndicator(option, painter);
        return;
    case PE_PanelButtonCommand:
        drawButtonPanel(option, painter);
        return;
    case PE_FrameFocusRect:
        // Focus shows in the frame colour; a check box also dots its caption.
        if (qobject_cast<const QAbstractButton*>(widget) && widget->inherits("QCheckBox"))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void FlatStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (element == CE_PushButtonBevel) {
        drawButtonPanel(option, painter);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void FlatStyle::drawIndicator(const QStyleOption* option, QPainter* painter) const
{
    QStyleOption boxOption(*option);
    boxOption.state &= ~State_On; // the tick, not the fill, shows the state of a check box
    const Look look = lookFor(boxOption);
    const QRect box = option->rect.adjusted(0, 0, -1, -1);
    painter->save();
    painter->setPen(look.frame);
    painter->setBrush(look.fill);
    painter->drawRect(box);
    if (option->state & State_On) {
        const bool enabled = option->state & State_Enabled;
        painter->setRenderHint(QPainter::Antialiasing);
        const int dpi = dotsPerInch(option, nullptr);
        QPen tick(option->palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText),
                  TickWidth * dpi / DesignDotsPerInch);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        painter->setPen(tick);
        painter->setBrush(Qt::NoBrush);
        const int inset = scaledForDpi(TickInset, dpi);
        const QRectF r = QRectF(box).adjusted(inset, inset, -inset, -inset);
        QPainterPath path;
        path.moveTo(r.left(), r.center().y());
        path.lineTo(r.left() + r.width() * 0.4, r.bottom());
        path.lineTo(r.right(), r.top());
        painter->drawPath(path);
    }
    painter->restore();
}

void FlatStyle::drawButtonPanel(const QStyleOption* option, QPainter* painter) const
{
    Look look = lookFor(*option);
    if (!(option->state & (State_MouseOver | State_Sunken | State_On)) && (option->state & State_Enabled))
        look.fill = option->palette.color(QPalette::Button);
    painter->save();
    painter->setPen(look.frame);
    painter->setBrush(look.fill);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    if (option->state & State_HasFocus && option->state & State_Enabled)
        painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
    painter->restore();
}
