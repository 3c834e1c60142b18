#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kit {

// A background worker. A serial queue runs its tasks one at a time, in FIFO
// order, on a thread of its own; a concurrent queue runs each task at once
// on a thread of the task's own, so no task waits behind another. Tasks
// hand results back with MainQueue::async.
class BackgroundQueue {
public:
    enum class Attributes { serial, concurrent };

    explicit BackgroundQueue(Attributes attributes = Attributes::serial);
    // Finishes the queued and running tasks, then stops.
    ~BackgroundQueue();
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;

    // The process-wide queue for decoding work.
    static BackgroundQueue& global();

    // Queues the task. When no thread can be started for it (a process
    // limit) it throws std::system_error and nothing is queued.
    void async(std::function<void()> task);

    bool isIdle() const;
    // Blocks until no task is queued or running.
    void waitUntilIdle();
    // Blocks until every BackgroundQueue is idle; returns whether any was busy. Test support.
    static bool waitForAll();

private:
    void run();
    void finishedConcurrentTask();

    const Attributes attributes_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> tasks_;
    bool running_ = false;
    int concurrentTasks_ = 0; // running on threads of their own
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace kit
