#include "core/CountFailureReason.h"

#include "core/UnreadableEntries.h"
#include "kit/base/Json.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

namespace qm {

namespace {

// "4 GiB", "512 MiB", or the bytes when they are not a whole number of either.
std::string amount(std::size_t bytes)
{
    constexpr std::size_t mebibyte = std::size_t{1} << 20, gibibyte = std::size_t{1} << 30;
    if (bytes % gibibyte == 0)
        return std::to_string(bytes / gibibyte) + " GiB";
    if (bytes % mebibyte == 0)
        return std::to_string(bytes / mebibyte) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// The first line of what the counter wrote, when it is a message: a
// counter that fails says why there. JSON is no message.
std::string_view message(std::string_view output)
{
    output = output.substr(0, std::min(output.find('\n'), std::size_t{200}));
    if (!output.empty() && (output.front() == '[' || output.front() == '{'))
        return {};
    return output;
}

// What a failing counter said: on standard error, where it says why after
// its warnings, or else in its output.
std::string_view message(const ProcessResult& run)
{
    const std::string_view said = message(firstOtherLine(run.errors.view()));
    return said.empty() ? message(run.output.view()) : said;
}

} // namespace

std::optional<std::string> failureOfRun(const ProcessResult& run, const std::string& executable,
                                        std::size_t largestOutput)
{
    if (run.startError) {
        if (run.startErrno == ENOENT)
            return "The counter is missing from Quillmarrow's installation: " + executable + " does not exist.";
        return *run.startError + ".";
    }
    if (run.outputTooLarge)
        return "The counter wrote more than " + amount(largestOutput) +
               ", more than any real folder gives; its output was not read.";
    if (run.signal != 0) {
        const char* name = ::sigdescr_np(run.signal);
        return "The counter was ended by signal " + std::to_string(run.signal) +
               (name ? std::string(" (") + name + ")." : std::string("."));
    }
    if (run.exitStatus != 0) {
        const std::string_view said = message(run);
        return "The counter stopped with status " + std::to_string(run.exitStatus) +
               (said.empty() ? "." : ": " + std::string(said));
    }
    return std::nullopt;
}

std::string otherErrorsReason(std::string_view line)
{
    return "The counter said on standard error: " + std::string(line.substr(0, 200));
}

std::string undecodableOutputReason(const kit::DecodingError& error)
{
    return "The counter's output could not be read (" + std::string(error.what()) + ").";
}

std::string impossibleFiguresReason(const std::string& what)
{
    return "The counter's output holds figures that cannot be true (" + what + ").";
}

std::string countNotStartedReason(const std::exception& error)
{
    if (const auto* system = dynamic_cast<const std::system_error*>(&error))
        return "The count could not be started: " + system->code().message() + ".";
    return "The count could not be started: " + std::string(error.what()) + ".";
}

std::string missingPathReason()
{
    return "The file or folder does not exist.";
}

std::string outOfMemoryReason()
{
    return "There was not enough memory to read the counter's output.";
}

std::string stoppedReason()
{
    return "The count was stopped before the counter ended.";
}

std::string countErrorReason(const std::exception& error)
{
    return "The count failed: " + std::string(error.what()) + ".";
}

} // namespace qm
