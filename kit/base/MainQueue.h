#pragma once

#include <functional>

namespace kit {

// True on the thread that runs the Qt event loop (or before any application exists).
bool isMainThread();

// Aborts debug builds when called off the main thread.
void assertMainThread();

// The main queue: work that runs on the main thread, in FIFO order, on a
// later turn of Qt's event loop. Callable from any thread.
class MainQueue {
public:
    static void async(std::function<void()> work);
    // Runs the work no earlier than `delay` seconds on the kit clock; a delay
    // of 0 or less is exactly async(), in the same FIFO order.
    static void asyncAfter(double delay, std::function<void()> work);

    // Runs the queued work now, including work queued meanwhile, until the
    // queue is empty. Returns whether anything ran. Test support.
    static bool drain();
    // Drops queued work without running it. Test support.
    static void discardAll();
};

} // namespace kit
