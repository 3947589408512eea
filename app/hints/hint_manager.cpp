#include "hint_manager.h"

#include "balloon_hint.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QWidget>

namespace {

// The widget or its nearest container, within its window, that has a hint.
QWidget* hintOwner(QWidget* widget)
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (!widget->toolTip().isEmpty())
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

HintManager::HintManager(QWidget& window, HintTimings timings)
    : m_window(&window)
    , m_timings(timings)
{
    // Coarse timers may fire 5 % early, 125 ms on the time a hint stays up.
    m_wakeTimer.setTimerType(Qt::PreciseTimer);
    m_showTimer.setTimerType(Qt::PreciseTimer);
    m_wakeTimer.setSingleShot(true);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(m_timings.showTime);
    connect(&m_wakeTimer, &QTimer::timeout, this, &HintManager::wakeUp);
    connect(&m_showTimer, &QTimer::timeout, this, &HintManager::expire);
    // The enter and leave events of every control pass through the application.
    QCoreApplication::instance()->installEventFilter(this);
}

HintManager::~HintManager()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HintManager::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::ToolTip:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || m_window == nullptr || widget->window() != m_window)
        return false;

    switch (event->type()) {
    case QEvent::Enter: {
        // Coming back from another window, the pointer enters the window first and then its children:
        // what counts is the widget it lands on.
        QWidget* under = event->isSinglePointEvent()
            ? widget->childAt(static_cast<QEnterEvent*>(event)->position().toPoint())
            : nullptr;
        if (QWidget* owner = hintOwner(under != nullptr ? under : widget); owner != m_owner)
            pointerMovedTo(owner);
        return false;
    }
    case QEvent::Leave:
        // Leaving a child of the owner, such as a field's button, need not mean leaving the owner.
        if (widget == m_owner)
            pointerMovedTo(widget->isWindow() ? nullptr : hintOwner(widget->parentWidget()));
        return false;
    case QEvent::Hide:
        if (widget == m_owner) {
            hideHint();
            m_wakeTimer.stop();
            m_owner = nullptr;
        }
        return false;
    default:
        return helpRequested(widget, static_cast<QHelpEvent*>(event));
    }
}

void HintManager::pointerMovedTo(QWidget* owner)
{
    if (m_balloon != nullptr)
        m_quick = true;
    hideHint();
    m_owner = owner;
    m_spent = false;
    // Without an owner the timer measures the pointer's rest outside any control with a hint.
    if (owner != nullptr || m_quick)
        m_wakeTimer.start(owner != nullptr && m_quick ? m_timings.shortPause : m_timings.pause);
    else
        m_wakeTimer.stop();
}

bool HintManager::helpRequested(QWidget* widget, QHelpEvent* event)
{
    QWidget* owner = hintOwner(widget);
    if (owner == nullptr)
        return false;
    // Taken even when nothing shows, so that Qt shows no tool tip of its own.
    event->accept();
    if (owner == m_owner && (m_balloon != nullptr || m_spent || m_wakeTimer.isActive()))
        return true;
    showHint(owner, event->globalPos());
    return true;
}

void HintManager::wakeUp()
{
    if (m_owner != nullptr && !m_owner->toolTip().isEmpty())
        showHint(m_owner, QCursor::pos());
    else
        m_quick = false;
}

void HintManager::expire()
{
    hideHint();
    m_spent = true;
    m_quick = false;
}

void HintManager::showHint(QWidget* owner, QPoint pointer)
{
    hideHint();
    m_wakeTimer.stop();
    m_owner = owner;
    m_spent = false;
    const QString text = owner->toolTip();
    m_balloon = std::make_unique<BalloonHint>(text, *owner);
    m_balloon->popUp(pointer,
                     balloonAnimation(QApplication::isEffectEnabled(Qt::UI_AnimateTooltip),
                                      QApplication::isEffectEnabled(Qt::UI_FadeTooltip), text.size()));
    m_showTimer.start();
}

void HintManager::hideHint()
{
    m_showTimer.stop();
    if (m_balloon == nullptr)
        return;
    // Hidden at enter or leave, the balloon may be one of the widgets whose enter and leave events Qt is
    // still delivering: it may go only once they are delivered.
    m_balloon->hide();
    m_balloon.release()->deleteLater();
}
