#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QDialog;

// Runs an action on the modal box as soon as the event loop of its exec() runs;
// a box still open after five seconds is closed and reported, so that a fault
// fails the test instead of hanging it.
class ModalDriver final
{
public:
    explicit ModalDriver(std::function<void(QDialog*)> action);

    bool leftOpen() const { return m_leftOpen; }

private:
    QObject m_context;
    QTimer m_watchdog;
    bool m_leftOpen = false;
};
