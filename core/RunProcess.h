#pragma once

#include "core/ProcessResult.h"

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qm {

// The most output a run keeps unless asked otherwise: several times what
// the largest real trees give (the Linux kernel's count is 27 MB; 800,000
// files with names of 200 characters give 557 MB), yet a runaway child is
// stopped before it fills memory.
inline constexpr std::size_t defaultLargestOutput = std::size_t{4} << 30;

// Runs an executable with standard output and standard error joined in one
// file in memory and no standard input, waits for the child to end, reaps it
// and returns everything it wrote (the bytes as written). It never fails to
// its caller: when the executable cannot be started it prints "ERROR: " and
// the reason, and returns the empty text. Holds the calling thread until the
// child ends.
std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments);

// A child started ahead of its run (startRunAhead) and taken by the run it
// was started for (takeRunStartedAhead): runProcessToEnd() waits for it
// rather than starting one of its own. Let go without being run, its child
// is ended, and reaped on a thread of its own.
class StartedRun {
public:
    // What the child was started as: a run takes only a child started as
    // it would start its own.
    struct Request {
        std::string executable;
        std::vector<std::string> arguments;
        std::size_t spare = 0;
        std::size_t largestOutput = 0;
        bool errorsApart = false;

        friend bool operator==(const Request&, const Request&) = default;
    };

    StartedRun() = default;
    StartedRun(StartedRun&& other) noexcept;
    StartedRun& operator=(StartedRun&& other) noexcept;
    StartedRun(const StartedRun&) = delete;
    StartedRun& operator=(const StartedRun&) = delete;
    ~StartedRun();

    explicit operator bool() const { return child_ > 0; }

private:
    friend struct StartedRunAccess;
    void end();

    pid_t child_ = 0;
    int output_ = -1, errors_ = -1; // the files it writes into (the same one when not apart)
    std::uint64_t generation_ = 0;  // processGeneration() when it started
    Request request_;
};

// The same run, callable from any thread, telling how it went instead of
// printing. The child (and anything it starts) runs in a process group of
// its own, so that endRunningProcesses(), or a stop requested through
// `stop`, can end all of it. `generation` is processGeneration() at the
// time the run was asked for: a run asked for before the latest
// endRunningProcesses() is not started, nor one whose stop was requested.
// The child cannot write more than `largestOutput` bytes and a byte, so
// memory stays bounded whatever it does: output beyond the limit is refused
// (outputTooLarge; the child's writes fail, and it gets SIGXFSZ). The output
// keeps `spare` readable zero bytes after its end. With `errorsApart`, what
// the child writes on standard error is kept apart from its output, in
// `errors` (the same limit ends a child that writes more there). With
// `started`, a child started ahead as this run would start its own, that
// child is the run's; one started otherwise, or ended since by
// endRunningProcesses(), is let go and a new one started.
ProcessResult runProcessToEnd(const std::string& executable, const std::vector<std::string>& arguments,
                              std::uint64_t generation, std::size_t spare = 0, std::stop_token stop = {},
                              std::size_t largestOutput = defaultLargestOutput, bool errorsApart = false,
                              StartedRun started = {});

// Starts now the run that runProcessToEnd() will be asked for with these
// arguments, so that it is underway while its caller gets ready (the
// folders of a launch count while the window is built). Nothing is said of
// a child that cannot be started: the run itself then tries and says why.
// A run started ahead for the same arguments, not yet taken, is not
// started again. It is ended, as every run is, by endRunningProcesses().
// May throw std::bad_alloc (a child it started is then ended).
void startRunAhead(const std::string& executable, const std::vector<std::string>& arguments, std::size_t spare,
                   std::size_t largestOutput, bool errorsApart);

// The child started ahead for a run of exactly these arguments in this
// generation, taken from those waiting; an empty run when there is none.
StartedRun takeRunStartedAhead(const std::string& executable, const std::vector<std::string>& arguments,
                               std::size_t spare, std::size_t largestOutput, bool errorsApart);

// Ends the children started ahead that no run took (they are reaped on a
// thread of their own: the caller does not wait for them to go).
void endRunsStartedAhead();

std::uint64_t processGeneration();

// Ends every child of runProcessToEnd() that is still running, at once, and
// starts a new generation (used when the application quits).
void endRunningProcesses();

// The same end from a signal handler (the application must end whatever its
// threads are doing): ends the children's process groups with nothing but
// async-signal-safe calls, taking no lock. A child leaves the running set
// only after any such end underway is done, so it never reaches a process
// that took over a reaped child's id.
void endRunningProcessesFromSignalHandler();

} // namespace qm
