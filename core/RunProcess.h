#pragma once

#include "core/ProcessResult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Runs an executable with standard output and standard error joined in one
// file in memory and no standard input, waits for the child to end, reaps it
// and returns everything it wrote (the bytes as written). It never fails to
// its caller: when the executable cannot be started it prints "ERROR: " and
// the reason, and returns the empty text. Holds the calling thread until the
// child ends.
std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments);

// The same run, callable from any thread, telling how it went instead of
// printing. The child (and anything it starts) runs in a process group of
// its own, so that endRunningProcesses() can end all of it. `generation` is
// processGeneration() at the time the run was asked for: a run asked for
// before the latest endRunningProcesses() is not started. The output keeps
// `spare` readable zero bytes after its end.
ProcessResult runProcessToEnd(const std::string& executable, const std::vector<std::string>& arguments,
                              std::uint64_t generation, std::size_t spare = 0);

std::uint64_t processGeneration();

// Ends every child of runProcessToEnd() that is still running, at once, and
// starts a new generation (used when the application quits).
void endRunningProcesses();

} // namespace qm
