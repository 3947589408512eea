#pragma once

#include "balloon_layout.h"

#include <QIcon>
#include <QPixmap>
#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>

enum class BalloonAnimation
{
    None,
    Fade,
    Slide,
};

// How a balloon comes up: the desktop's tool-tip effects animate only short texts.
BalloonAnimation balloonAnimation(bool animateTips, bool fadeTips, qsizetype textLength);

// A hint drawn as a light green balloon with the information icon beside its
// text, whose callout points at the mouse pointer. It takes no input and no focus.
class BalloonHint final : public QWidget
{
    Q_OBJECT

public:
    // The balloon takes its font and colours from the control the hint belongs to.
    BalloonHint(const QString& text, const QWidget& owner);

    QString text() const { return m_text; }
    BalloonAnimation animation() const { return m_animation; }
    QRect iconRect() const { return m_iconRect.translated(0, m_bodyTop); }
    QRect textRect() const { return m_textRect.translated(0, m_bodyTop); }

    // Shows the balloon with its callout at the pointer, as far as the desktop allows.
    void popUp(QPoint pointer, BalloonAnimation animation);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFace(const QImage& shape);
    void advance(qreal progress);
    int slideOffset() const;

    QString m_text;
    BalloonMetrics m_metrics {};
    QIcon m_icon;
    QRect m_iconRect;
    QRect m_textRect;
    int m_bodyTop = 0;
    QRegion m_shape;
    QPixmap m_face;
    QPixmap m_underneath;
    BalloonAnimation m_animation = BalloonAnimation::None;
    qreal m_progress = 1.0;
    QVariantAnimation m_animator;
};
