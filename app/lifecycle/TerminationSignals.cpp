#include "app/lifecycle/TerminationSignals.h"

#include "core/RunProcess.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace qm {

namespace {

int signalPipe[2] = {-1, -1};
std::atomic<int> firstSignal{0};
unsigned graceSeconds = 5;

// What cannot wait for the event loop: the counters go, and the process
// with them, skipping whatever holds it up.
void endNow(int number)
{
    endRunningProcessesFromSignalHandler();
    ::_exit(128 + number);
}

// Only async-signal-safe work here: the event loop does the rest, if it turns.
void onSignal(int number)
{
    int none = 0;
    if (!firstSignal.compare_exchange_strong(none, number))
        endNow(none); // asked again: the orderly end has not come about
    const char byte = static_cast<char>(number);
    [[maybe_unused]] ssize_t written = ::write(signalPipe[0], &byte, 1);
    ::alarm(graceSeconds);
}

void onGraceOver(int)
{
    endNow(firstSignal.load());
}

} // namespace

void quitOnTerminationSignals(std::chrono::seconds grace)
{
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    graceSeconds = static_cast<unsigned>(std::max<std::chrono::seconds::rep>(grace.count(), 1));
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char number = 0;
        if (::read(signalPipe[1], &number, 1) == 1)
            QCoreApplication::exit(128 + number);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(number, &action, nullptr);
    struct sigaction graceOver = {};
    graceOver.sa_handler = onGraceOver;
    sigemptyset(&graceOver.sa_mask);
    ::sigaction(SIGALRM, &graceOver, nullptr);
}

} // namespace qm
