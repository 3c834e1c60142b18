#pragma once

// The program's one rule for how many threads to work on, and its one way of starting them.
// The counter (its walk, summary and output) and the application's reader of the counter's
// output share it: standard library only, so that the counter, which uses no Qt, may too.
//
// Threads are started as far as the system lets: under a limit on the user's threads or
// processes (RLIMIT_NPROC) the work goes on on those that did start, down to the calling
// thread alone, and comes out the same.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace qm::threads {

// The threads to work on: as many as asked for, or one per processor when `asked` is 0.
inline unsigned count(unsigned asked = 0)
{
    return asked ? asked : std::max(1u, std::thread::hardware_concurrency());
}

// Runs work(0) on the calling thread and work(1) ... work(n - 1) each on a thread of its own,
// for as many of them as threads can be started: a worker whose thread could not be started
// does not run, so the workers must share their work out among themselves (a queue, an index
// taken in turn), not expect each its own part. Returns, once all have returned, how many
// ran (at least one). A worker must not throw.
template <class Work>
unsigned onThreads(unsigned n, Work&& work)
{
    std::vector<std::jthread> helpers;
    try {
        helpers.reserve(n > 1 ? n - 1 : 0);
        for (unsigned i = 1; i < n; ++i)
            helpers.emplace_back([&work, i] { work(i); });
    } catch (const std::system_error&) {
        // No more threads (a process limit): those that started work on with this one.
    } catch (const std::bad_alloc&) {
        // No memory for another thread's stack: the same.
    }
    const auto ran = static_cast<unsigned>(helpers.size()) + 1;
    work(0u);
    helpers.clear(); // joins
    return ran;
}

// Runs task(i, thread) for every i below `tasks`, on up to `threads` threads (never more than
// there are tasks), each taking the next i not yet taken; `thread` (below `threads`) tells
// which thread runs it, for state a thread keeps from one task to the next. A task must not
// throw.
template <class Task>
void parallelFor(std::size_t tasks, unsigned threads, Task&& task)
{
    std::atomic<std::size_t> next{0};
    const auto n = static_cast<unsigned>(std::clamp<std::size_t>(tasks, 1, std::max(1u, threads)));
    onThreads(n, [&](unsigned thread) {
        for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < tasks;)
            task(i, thread);
    });
}

} // namespace qm::threads
