#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <memory>

class BalloonHint;
class QHelpEvent;
class QWidget;

struct HintTimings
{
    // Pointer over a control before its hint comes up.
    std::chrono::milliseconds pause {500};
    // The same, when the pointer comes from a control whose hint was showing.
    std::chrono::milliseconds shortPause {50};
    // How long a hint stays up.
    std::chrono::milliseconds showTime {2500};
};

// Shows the tool tip of every control of one window as a balloon hint, with the
// hint timings of the desktop toolkit rather than Qt's. A control without a tool
// tip of its own shows the one of the nearest container that has one, as a
// file-name field's browse button shows the field's hint. Other windows, such as
// the file dialog, keep Qt's own tool tips.
class HintManager final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HintManager)

public:
    explicit HintManager(QWidget& window, HintTimings timings = {});
    ~HintManager() override;

    // The balloon on screen, or null.
    BalloonHint* balloon() const { return m_balloon.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pointerMovedTo(QWidget* owner);
    bool helpRequested(QWidget* widget, QHelpEvent* event);
    void wakeUp();
    void expire();
    void showHint(QWidget* owner, QPoint pointer);
    void hideHint();

    QPointer<QWidget> m_window;
    HintTimings m_timings;
    QTimer m_wakeTimer;
    QTimer m_showTimer;
    // The control with a hint under the pointer.
    QPointer<QWidget> m_owner;
    // The owner's hint has come and gone; it comes again once the pointer has left the control.
    bool m_spent = false;
    // The pointer has just left a control whose hint was showing.
    bool m_quick = false;
    std::unique_ptr<BalloonHint> m_balloon;
};
