#pragma once

#include "core/ProcessResult.h"

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
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
// `errors` (the same limit ends a child that writes more there).
ProcessResult runProcessToEnd(const std::string& executable, const std::vector<std::string>& arguments,
                              std::uint64_t generation, std::size_t spare = 0, std::stop_token stop = {},
                              std::size_t largestOutput = defaultLargestOutput, bool errorsApart = false);

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
