#include "widget_placement.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

constexpr Qt::WindowStates NotNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

WidgetPlacement::WidgetPlacement(QWidget* window)
    : m_window(window)
{ }

int WidgetPlacement::flags() const
{
    return m_window->isMinimized() && m_window->isMaximized() ? 2 : 0;
}

int WidgetPlacement::showCommand() const
{
    if (m_window->isMinimized())
        return 2;
    return m_window->isMaximized() ? 3 : 1;
}

bool WidgetPlacement::isApplicationMinimized() const
{
    // The window is the application's only top-level window.
    return m_window->isMinimized();
}

QRect WidgetPlacement::normalFrame() const
{
    const QRect normal = m_window->normalGeometry();
    if (!(m_window->windowState() & NotNormal) || !normal.isValid())
        return frame();
    // normalGeometry() leaves the frame out: put the present frame's margins around it.
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    return normal.adjusted(outer.left() - inner.left(), outer.top() - inner.top(), outer.right() - inner.right(),
                           outer.bottom() - inner.bottom());
}

QRect WidgetPlacement::frame() const
{
    // Until the window is first placed on screen, frameGeometry() puts the frame
    // around a position that already is the frame's; pos() is right throughout.
    return {m_window->pos(), m_window->frameGeometry().size()};
}

bool WidgetPlacement::knowsPosition() const
{
    // Wayland lets the compositor alone place a window and keeps its place from the program.
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

void WidgetPlacement::moveTo(QPoint topLeft)
{
    m_window->move(topLeft);
    // Until X11 has shown the window once, Qt does not know its frame, and the
    // move above would put the inside of the window where the frame belongs.
    if (QWindow* window = m_window->windowHandle())
        window->setFramePosition(topLeft);
}

void WidgetPlacement::setMaximized(bool maximized)
{
    const Qt::WindowStates state = m_window->windowState() & ~NotNormal;
    m_window->setWindowState(maximized ? state | Qt::WindowMaximized : state);
    m_window->update();
}

void WidgetPlacement::requestApplicationMinimize()
{
    QWidget* window = m_window;
    QMetaObject::invokeMethod(
        window, [window] { window->showMinimized(); }, Qt::QueuedConnection);
}

QSize WidgetPlacement::primaryScreenSize() const
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

int WidgetPlacement::pixelsPerInch() const
{
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

bool WidgetPlacement::isOffScreen(const QRect& frame) const
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::none_of(screens.begin(), screens.end(),
                        [&frame](const QScreen* screen) { return screen->geometry().intersects(frame); });
}
