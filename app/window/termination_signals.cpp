#include "termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t writeEnd = -1;

// Only async-signal-safe calls here. The socket does not block: when it is
// full, a wake-up is already waiting in it.
void onTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    Q_ASSERT(writeEnd == -1);
    int ends[2];
    // Without the socket the signals keep their default action and end the program at once.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    m_readEnd.emplace(ends[0], PosixCalls::system());
    m_writeEnd.emplace(ends[1], PosixCalls::system());
    writeEnd = m_writeEnd->get();
    m_notifier = new QSocketNotifier(m_readEnd->get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // A signal in the middle of a file operation must not make it fail.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < HandledSignals.size(); ++i) {
        sigaction(HandledSignals[i], nullptr, &m_previousActions[i]);
        // One ignored from the start stays ignored: under nohup a closed terminal must not end the program.
        if (m_previousActions[i].sa_handler != SIG_IGN)
            sigaction(HandledSignals[i], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    if (m_writeEnd) {
        for (std::size_t i = 0; i < HandledSignals.size(); ++i)
            sigaction(HandledSignals[i], &m_previousActions[i], nullptr);
        writeEnd = -1;
    }
    // Before the socket it watches is closed.
    delete m_notifier;
}

void TerminationSignals::readPending() noexcept
{
    char bytes[16];
    while (::read(m_readEnd->get(), bytes, sizeof bytes) > 0) { }
    Q_EMIT received();
}
