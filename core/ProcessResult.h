#pragma once

#include "core/ProcessOutput.h"

#include <optional>
#include <string>

namespace qm {

// How one run of an executable went (see runProcessToEnd).
struct ProcessResult {
    // Everything the child wrote on standard output and standard error, in
    // the order written; only standard output when standard error was kept apart.
    ProcessOutput output;
    // What the child wrote on standard error, when it was kept apart.
    ProcessOutput errors;
    // Why the executable could not be started, and the errno value that
    // said so; nothing when it started.
    std::optional<std::string> startError;
    int startErrno = 0;
    // The run was ended (by endRunningProcesses() or its stop token), or
    // never started because of it; the output is then incomplete.
    bool ended = false;
    // The child wrote more than the largest output asked for: the output
    // is left empty.
    bool outputTooLarge = false;
    // The child's exit code, or 128 plus the number of the signal that ended it.
    int exitStatus = 0;
    // The signal that ended the child; 0 when it exited.
    int signal = 0;
};

} // namespace qm
