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

BackgroundQueue::BackgroundQueue()
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
}

BackgroundQueue& BackgroundQueue::global()
{
    static auto* queue = new BackgroundQueue; // lives for the whole process
    return *queue;
}

void BackgroundQueue::async(std::function<void()> task)
{
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        if (!worker_.joinable())
            worker_ = std::thread([this] { run(); });
    }
    wake_.notify_one();
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
    return tasks_.empty() && !running_;
}

void BackgroundQueue::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return tasks_.empty() && !running_; });
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
