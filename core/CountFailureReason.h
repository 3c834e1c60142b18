#pragma once

#include "core/ProcessResult.h"

#include <cstddef>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace kit {
class DecodingError;
}

namespace qm {

// Why a count failed, in a sentence the user is shown.

// Why the counter's run failed, or nothing when its output is to be
// decoded: it could not be started (or is missing), wrote more than
// `largestOutput`, was ended by a signal, or stopped with a status other
// than 0 (whatever it printed).
std::optional<std::string> failureOfRun(const ProcessResult& run, const std::string& executable,
                                        std::size_t largestOutput);

// The counter said something on standard error besides its warnings of
// entries it could not read: `line`, the first such line.
std::string otherErrorsReason(std::string_view line);
// The output is not the counter's JSON.
std::string undecodableOutputReason(const kit::DecodingError& error);
// The output's figures cannot be true (`what` from impossibleFigures()).
std::string impossibleFiguresReason(const std::string& what);
// The count could not get a thread of its own, or memory to start.
std::string countNotStartedReason(const std::exception& error);
std::string outOfMemoryReason();
// Nothing is there to count.
std::string missingPathReason();
// The user stopped the count.
std::string stoppedReason();
std::string countErrorReason(const std::exception& error);

} // namespace qm
