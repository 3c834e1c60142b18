#include "kit/base/MainQueue.h"

#include "kit/base/Timer.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <cassert>
#include <deque>
#include <mutex>

namespace kit {

namespace {

// The main queue is one FIFO list; a single queued invocation on qApp wakes
// the event loop to run it. Work queued while a turn runs waits for the
// next turn, so other events (painting, input) are not starved.
struct Queue {
    std::mutex mutex;
    std::deque<std::function<void()>> work;
    bool wakePosted = false;
};

Queue& queue()
{
    static auto* q = new Queue; // never destroyed: other threads may post during exit
    return *q;
}

std::function<void()> takeFirst()
{
    auto& q = queue();
    std::lock_guard lock(q.mutex);
    if (q.work.empty())
        return nullptr;
    auto first = std::move(q.work.front());
    q.work.pop_front();
    return first;
}

void runOneTurn()
{
    std::size_t count;
    {
        auto& q = queue();
        std::lock_guard lock(q.mutex);
        q.wakePosted = false;
        count = q.work.size();
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (auto work = takeFirst())
            work();
    }
}

void postWakeUp()
{
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &runOneTurn, Qt::QueuedConnection);
}

} // namespace

bool isMainThread()
{
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void assertMainThread()
{
    assert(isMainThread() && "observable state is main-thread only");
}

void MainQueue::async(std::function<void()> work)
{
    auto& q = queue();
    bool post = false;
    {
        std::lock_guard lock(q.mutex);
        q.work.push_back(std::move(work));
        post = !q.wakePosted && QCoreApplication::instance();
        q.wakePosted = q.wakePosted || post;
    }
    if (post)
        postWakeUp();
}

void MainQueue::asyncAfter(double delay, std::function<void()> work)
{
    if (delay <= 0) {
        async(std::move(work));
        return;
    }
    if (!isMainThread()) {
        // Timers live on the main thread: schedule from there.
        async([delay, work = std::move(work)]() mutable { asyncAfter(delay, std::move(work)); });
        return;
    }
    Timer::scheduled(delay, false, std::move(work));
}

bool MainQueue::drain()
{
    bool ran = false;
    while (auto work = takeFirst()) {
        work();
        ran = true;
    }
    return ran;
}

void MainQueue::discardAll()
{
    auto& q = queue();
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(q.mutex);
    dropped.swap(q.work);
}

} // namespace kit
