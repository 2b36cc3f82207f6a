#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QFile>
#include <QString>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace rivonel::test {

// A FIFO that nothing else ever opens. Should anything still be stuck opening
// it once the time is up, the watchdog opens the other end, which lets it go,
// and remembers it: a regression fails the test instead of hanging it. The
// FIFO can be linked under other names; the watchdog reaches it by its own.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString &path,
                          std::chrono::milliseconds patience = std::chrono::milliseconds(5000))
        : m_path(QFile::encodeName(path)), m_made(::mkfifo(m_path.constData(), 0600) == 0),
          m_thread([this, deadline = std::chrono::steady_clock::now() + patience] {
              while (!m_stop) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                  if (std::chrono::steady_clock::now() < deadline)
                      continue;
                  if (releaseReader() || releaseWriter())
                      m_released = true;
              }
          })
    {
    }
    ~FifoWatchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    FifoWatchdog(const FifoWatchdog &) = delete;
    FifoWatchdog &operator=(const FifoWatchdog &) = delete;

    bool made() const { return m_made; }
    // Whether something was stuck waiting on the FIFO.
    bool released() const { return m_released; }

private:
    // Opening the write end succeeds only while a reader has it open.
    bool releaseReader() const
    {
        const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        return fd >= 0;
    }
    // Opening the read end lets a waiting writer go; once it has, reading
    // finds its bytes or waits for them, where without one it finds the end.
    bool releaseWriter() const
    {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        char bytes[4096];
        bool writer = false;
        for (ssize_t got; (got = ::read(fd, bytes, sizeof bytes)) != 0;) {
            if (got < 0) {
                writer = errno == EAGAIN;
                break;
            }
            writer = true;
        }
        ::close(fd);
        return writer;
    }

    const QByteArray m_path;
    const bool m_made;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

} // namespace rivonel::test

#else

#include <QString>

namespace rivonel::test {

// Without FIFOs there is nothing to watch.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString &) {}
    bool made() const { return false; }
    bool released() const { return false; }
};

} // namespace rivonel::test

#endif
