#include "kit/ui/PaintingThreads.h"

#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <thread>

#include <dirent.h>

namespace kit {

namespace {

// The ids of the process's threads.
std::set<std::string> threadsOfProcess()
{
    std::set<std::string> ids;
    if (DIR* tasks = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(tasks))
            if (entry->d_name[0] != '.')
                ids.insert(entry->d_name);
        ::closedir(tasks);
    }
    return ids;
}

// Whether a thread can be started now: one is, and ends at once.
bool threadCanStart()
{
    try {
        std::thread([] {}).join();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace

PaintingThreads holdPaintingThreads(int wanted)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setExpiryTimeout(-1);
    pool->setMaxThreadCount(std::max(wanted, 1));
    // Each thread's first piece of work waits until every one has started,
    // so that each takes a thread of its own.
    auto started = std::make_shared<QSemaphore>();
    PaintingThreads threads;
    while (threads.held < wanted) {
        // A start the pool cannot make leaves it waiting for that thread
        // for good: it is only asked when a thread could just be started.
        if (!threadCanStart())
            break;
        const std::set<std::string> before = threadsOfProcess();
        pool->start([started] {
            started->acquire();
            started->release();
        });
        const std::set<std::string> after = threadsOfProcess();
        // Threads may have ended meanwhile (the one just tried), none other started.
        if (std::includes(before.begin(), before.end(), after.begin(), after.end())) {
            threads.lost = true;
            break;
        }
        ++threads.held;
    }
    started->release();
    // The pool starts no thread beyond those it has.
    pool->setMaxThreadCount(std::max(threads.held + (threads.lost ? 1 : 0), 1));
    return threads;
}

} // namespace kit
