#pragma once

#include "file_descriptor.h"

#include <QObject>
#include <array>
#include <csignal>
#include <optional>

class QSocketNotifier;

// SIGTERM (the session ends), SIGHUP (the terminal closes) and SIGINT (Ctrl+C)
// brought into the event loop as received(), so that the program can end as
// its window's close ends it. While this exists the three no longer kill the
// process, but those ignored when it came stay ignored; one instance at a time.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    Q_DISABLE_COPY_MOVE(TerminationSignals)

Q_SIGNALS:
    void received();

private:
    static constexpr std::array HandledSignals {SIGTERM, SIGHUP, SIGINT};

    // Called by Qt's socket notifier: nothing may leave it.
    void readPending() noexcept;

    // Present once the socket pair is made.
    std::optional<FileDescriptor> m_readEnd;
    std::optional<FileDescriptor> m_writeEnd;
    QSocketNotifier* m_notifier = nullptr;
    std::array<struct sigaction, HandledSignals.size()> m_previousActions {};
};
