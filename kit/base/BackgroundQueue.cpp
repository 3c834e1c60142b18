#include "kit/base/BackgroundQueue.h"

#include <set>

namespace kit {

namespace {

struct Registry {
    std::mutex mutex;
    std::set<BackgroundQueue*> queues;
};

Registry& registry()
{
    static auto* r = new Registry;
    return *r;
}

} // namespace

BackgroundQueue::BackgroundQueue(Attributes attributes) : attributes_(attributes)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.queues.insert(this);
}

BackgroundQueue::~BackgroundQueue()
{
    {
        auto& r = registry();
        std::lock_guard lock(r.mutex);
        r.queues.erase(this);
    }
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
    // Concurrent tasks run on detached threads that still use the queue.
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return concurrentTasks_ == 0; });
}

BackgroundQueue& BackgroundQueue::global()
{
    static auto* queue = new BackgroundQueue; // lives for the whole process
    return *queue;
}

void BackgroundQueue::async(std::function<void()> task)
{
    if (attributes_ == Attributes::concurrent) {
        {
            std::lock_guard lock(mutex_);
            ++concurrentTasks_;
        }
        try {
            std::thread([this, task = std::move(task)]() mutable {
                task();
                task = nullptr; // what it holds goes before the queue counts it as done
                finishedConcurrentTask();
            }).detach();
        } catch (...) {
            finishedConcurrentTask();
            throw;
        }
        return;
    }
    {
        std::lock_guard lock(mutex_);
        // The worker is started before the task is queued, so a task is
        // never left behind with no thread to run it.
        if (!worker_.joinable())
            worker_ = std::thread([this] { run(); });
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void BackgroundQueue::finishedConcurrentTask()
{
    std::lock_guard lock(mutex_);
    if (--concurrentTasks_ == 0)
        idle_.notify_all();
}

void BackgroundQueue::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty())
            return; // stopping, nothing left
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        running_ = true;
        lock.unlock();
        task();
        task = nullptr;
        lock.lock();
        running_ = false;
        if (tasks_.empty())
            idle_.notify_all();
    }
}

bool BackgroundQueue::isIdle() const
{
    std::lock_guard lock(mutex_);
    return tasks_.empty() && !running_ && concurrentTasks_ == 0;
}

void BackgroundQueue::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return tasks_.empty() && !running_ && concurrentTasks_ == 0; });
}

bool BackgroundQueue::waitForAll()
{
    bool waited = false;
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    for (auto* queue : r.queues) {
        if (!queue->isIdle()) {
            queue->waitUntilIdle();
            waited = true;
        }
    }
    return waited;
}

} // namespace kit
