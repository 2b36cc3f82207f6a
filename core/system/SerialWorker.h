// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace rivonel {

namespace detail {

// A thread that runs one job and lets its own object go once it has ended.
class OneShotThread final : public QThread {
public:
    explicit OneShotThread(std::function<void()> job) : m_job(std::move(job))
    {
        connect(this, &QThread::finished, this, &QObject::deleteLater);
    }

private:
    void run() override { m_job(); }
    std::function<void()> m_job;
};

} // namespace detail

// Runs work whose cost depends on the user's data (a folder, a picture) away
// from the thread that asks, one job at a time, and hands each answer back on
// that thread. Requests that come while a job runs make one more job, for the
// last of them, once it ends: a burst of requests costs at most two jobs.
//
// Nobody ever waits for a job. Each runs on a thread of its own that owns its
// request; once this object is gone its answers are dropped and the running
// job is told to stop, so closing a window or ending the program never waits
// for a slow folder or a big picture (Qt's global thread pool would be waited
// for at exit).
template <class Request, class Answer> class SerialWorker {
public:
    // Runs on the job's thread with a request of its own; it shares nothing
    // with the asking side and looks at cancelled when it can.
    using Work = std::function<Answer(const Request &, const std::atomic_bool &cancelled)>;
    // Runs on the asking thread with the request and its answer.
    using Done = std::function<void(const Request &, Answer)>;

    SerialWorker() = default;
    SerialWorker(const SerialWorker &) = delete;
    SerialWorker &operator=(const SerialWorker &) = delete;
    ~SerialWorker()
    {
        m_link->cancelled = true;
        const QMutexLocker lock(&m_link->mutex);
        m_link->mailbox = nullptr;
    }

    // Set once, before the first request.
    void setJob(Work work, Done done)
    {
        m_work = std::move(work);
        m_done = std::move(done);
    }

    void request(Request request)
    {
        if (m_running)
            m_pending = std::move(request);
        else
            start(std::move(request));
    }

    bool busy() const { return m_running; }
    // How many jobs have been started.
    int jobsStarted() const { return m_started; }

private:
    // What a job's thread shares with this object: where answers go while
    // it lives.
    struct Link {
        std::atomic_bool cancelled = false;
        QMutex mutex;
        QObject *mailbox = nullptr;
    };

    void start(Request request)
    {
        m_running = true;
        ++m_started;
        auto *thread = new detail::OneShotThread([link = m_link, work = m_work, owner = this,
                                                  request = std::move(request)]() mutable {
            Answer answer = work(request, link->cancelled);
            const QMutexLocker lock(&link->mutex);
            if (link->mailbox)
                QMetaObject::invokeMethod(
                    link->mailbox,
                    [owner, request = std::move(request), answer = std::move(answer)]() mutable {
                        owner->finished(request, std::move(answer));
                    },
                    Qt::QueuedConnection);
        });
        thread->start(); // and nothing ever waits for it
    }

    void finished(const Request &request, Answer answer)
    {
        m_running = false;
        if (std::optional<Request> next = std::exchange(m_pending, std::nullopt))
            start(std::move(*next));
        m_done(request, std::move(answer));
    }

    // Deleted with this object, and with it any answer not yet handed over.
    std::unique_ptr<QObject> m_mailbox = std::make_unique<QObject>();
    std::shared_ptr<Link> m_link = [this] {
        auto link = std::make_shared<Link>();
        link->mailbox = m_mailbox.get();
        return link;
    }();
    Work m_work;
    Done m_done;
    bool m_running = false;
    std::optional<Request> m_pending;
    int m_started = 0;
};

} // namespace rivonel
