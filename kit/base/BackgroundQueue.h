#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace kit {

// A serial worker: runs its tasks one at a time, in FIFO order, on its own
// thread. Tasks hand results back with MainQueue::async.
class BackgroundQueue {
public:
    BackgroundQueue();
    // Finishes the queued tasks, then stops the worker.
    ~BackgroundQueue();
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;

    // The process-wide queue for decoding work.
    static BackgroundQueue& global();

    void async(std::function<void()> task);

    bool isIdle() const;
    // Blocks until no task is queued or running.
    void waitUntilIdle();
    // Blocks until every BackgroundQueue is idle; returns whether any was busy. Test support.
    static bool waitForAll();

private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> tasks_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace kit
