#pragma once

// Fault injection for tests run in a child process of their own (death
// tests): the process's user may start no further thread or process.

#include <cstdlib>
#include <system_error>
#include <thread>

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

namespace qmtest {

// Leaves this process unable to start another thread or process, as under a
// low process limit: the limit is 1 and the process's user has one
// already. Root is not bound by the limit, so it becomes "nobody" first.
// Ends the process (status 3 to 5) when it cannot.
inline void startNoMoreThreads()
{
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        std::_Exit(3);
    const rlimit one{1, 1};
    if (::setrlimit(RLIMIT_NPROC, &one) != 0)
        std::_Exit(4);
    try {
        std::thread([] {}).join();
        std::_Exit(5); // the limit does not hold here
    } catch (const std::system_error&) {
    }
}

} // namespace qmtest
