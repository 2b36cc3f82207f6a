// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rivonel {

namespace {
#ifdef Q_OS_UNIX
// Only what a signal handler may touch: the pipe and a count.
int signalPipe[2] = {-1, -1};
std::atomic<int> signalsCaught{0}; // lock-free, so a handler may count
static_assert(std::atomic<int>::is_always_lock_free);

void caught(int signal)
{
    const int saved = errno;
    signalsCaught.fetch_add(1);
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = saved;
}

constexpr int endSignals[] = {SIGTERM, SIGINT, SIGHUP};
#endif
} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = caught;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : endSignals)
        ::sigaction(signal, &action, nullptr);
#endif
}

// The program's own handlers go with it; what follows ends as by default.
EndSignals::~EndSignals()
{
#ifdef Q_OS_UNIX
    for (const int signal : endSignals)
        std::signal(signal, SIG_DFL);
#endif
}

bool EndSignals::hurried()
{
#ifdef Q_OS_UNIX
    return signalsCaught > 1;
#else
    return false;
#endif
}

void EndSignals::readPipe()
{
#ifdef Q_OS_UNIX
    char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1)
        Q_EMIT received(number);
#endif
}

} // namespace rivonel
