#include "widget_placement.h"

#include "x11_frame.h"

#include <QEvent>
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
    , m_normalTopLeft(window->pos())
{
    window->installEventFilter(this);
}

int WidgetPlacement::flags() const
{
    return m_window->isMinimized() && m_window->isMaximized() ? RestoreToMaximized : 0;
}

WindowPlacement::ShowCommand WidgetPlacement::showCommand() const
{
    if (m_window->isMinimized())
        return ShowMinimized;
    return m_window->isMaximized() ? ShowMaximized : ShowNormal;
}

bool WidgetPlacement::isApplicationMinimized() const
{
    // The window is the application's only top-level window.
    return m_window->isMinimized();
}

WindowPlacement::Frame WidgetPlacement::normalFrame() const
{
    if (isNormal())
        return frame();
    const QRect normal = m_window->normalGeometry();
    const QSize client = (normal.isValid() ? normal.size() : m_window->size()) + m_normalFrameGrowth.value_or(QSize());
    return {{m_normalTopLeft.x(), m_normalTopLeft.y()}, {client.width(), client.height()}};
}

WindowPlacement::Frame WidgetPlacement::frame() const
{
    const QRect frame = frameGeometry();
    return {{frame.x(), frame.y()}, {frame.width(), frame.height()}};
}

// There is no minimized or maximized position of Qt's to tell.
WindowPlacement::Point WidgetPlacement::minimizedPosition() const
{
    return {-1, -1};
}

WindowPlacement::Point WidgetPlacement::maximizedPosition() const
{
    return {-1, -1};
}

QRect WidgetPlacement::frameGeometry() const
{
    // Qt's idea of the frame lags behind where the manager changes the window's state on its own, as some
    // do when minimizing a maximized window; X11 knows.
    if (const QWindow* window = m_window->windowHandle()) {
        if (const std::optional<QRect> frame = x11FrameGeometry(*window))
            return *frame;
    }
    // Until the window is first placed on screen, frameGeometry() puts the frame
    // around a position that already is the frame's; pos() is right throughout.
    return {m_window->pos(), m_window->frameGeometry().size()};
}

bool WidgetPlacement::knowsPosition() const
{
    // Wayland lets the compositor alone place a window and keeps its place from the program.
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

// Only the position: the flags and the minimized and maximized positions have
// nothing to set in Qt's windows.
void WidgetPlacement::apply(const Record& record)
{
    const QPoint topLeft(record.normalTopLeft.x, record.normalTopLeft.y);
    m_window->move(topLeft);
    // Until X11 has shown the window once, Qt does not know its frame, and the
    // move above would put the inside of the window where the frame belongs.
    if (QWindow* window = m_window->windowHandle())
        window->setFramePosition(topLeft);
    m_normalTopLeft = topLeft;
}

// The desktop alone places a maximized window.
void WidgetPlacement::setMaximizedPositionToBorder() { }

void WidgetPlacement::setMaximized(bool maximized)
{
    if (maximized)
        learnNormalFrameGrowth();
    const Qt::WindowStates state = m_window->windowState() & ~NotNormal;
    m_window->setWindowState(maximized ? state | Qt::WindowMaximized : state);
    m_window->update();
}

void WidgetPlacement::requestApplicationMinimize()
{
    learnNormalFrameGrowth();
    QWidget* window = m_window;
    QMetaObject::invokeMethod(
        window, [window] { window->showMinimized(); }, Qt::QueuedConnection);
}

WindowPlacement::Size WidgetPlacement::primaryScreenSize() const
{
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return {size.width(), size.height()};
}

int WidgetPlacement::pixelsPerInch() const
{
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

bool WidgetPlacement::isOffScreen(Point topLeft, Size size) const
{
    // A stored position may be anywhere in the range of int, and its far edges beyond it.
    const qint64 left = topLeft.x;
    const qint64 top = topLeft.y;
    const qint64 right = left + size.width;
    const qint64 bottom = top + size.height;
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::none_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect area = screen->geometry();
        return left < qint64(area.x()) + area.width() && right > area.x() && top < qint64(area.y()) + area.height()
            && bottom > area.y();
    });
}

bool WidgetPlacement::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        // The window's exposure tells when the manager has framed it; the window exists from the first show.
        if (QWindow* window = m_window->windowHandle(); window && watched == m_window)
            window->installEventFilter(this);
        break;
    case QEvent::Expose:
        // Shown for the first time. Later exposures may come from the manager's animations, as it shrinks
        // the window away when minimizing it: the window stands nowhere in particular then.
        if (!m_shown && m_window->windowHandle()->isExposed()) {
            m_shown = true;
            rememberNormalFrame();
        }
        break;
    case QEvent::Move:
        rememberNormalFrame();
        break;
    default:
        break;
    }
    return false;
}

bool WidgetPlacement::isNormal() const
{
    return !(m_window->windowState() & NotNormal);
}

void WidgetPlacement::rememberNormalFrame()
{
    // Only a window on screen has been framed for the state it is in. Started
    // minimized, it is mapped and at once minimized; shown late on a busy
    // machine, it may seem normal while the manager already moves its frame away.
    const QWindow* window = m_window->windowHandle();
    if (!window || !window->isExposed() || !isNormal() || x11Iconic(*window))
        return;
    const QRect outer = frameGeometry();
    m_normalTopLeft = outer.topLeft();
    m_normalFrameGrowth = outer.size() - m_window->size();
}

void WidgetPlacement::learnNormalFrameGrowth()
{
    // Only for a window not on screen can the manager say how it would frame it in normal state.
    const QWindow* window = m_window->windowHandle();
    if (window && !window->isExposed() && !m_normalFrameGrowth)
        m_normalFrameGrowth = askFrameGrowth(*window);
}
