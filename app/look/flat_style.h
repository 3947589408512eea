#pragma once

#include <QProxyStyle>

// The window's flat look: check boxes and push buttons framed by one thin
// line, without bevel or shadow, with their normal, focused, hot, pressed and
// disabled looks. A check box answers clicks anywhere in its area. The message boxes' icons grow with the
// screen's dots per inch, as the text beside them.
class FlatStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    FlatStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;

private:
    void drawIndicator(const QStyleOption* option, QPainter* painter) const;
    void drawButtonPanel(const QStyleOption* option, QPainter* painter) const;
};
