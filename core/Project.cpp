#include "core/Project.h"

#include "core/CountFailureReason.h"
#include "core/ImpossibleFigures.h"
#include "core/LanguageResources.h"
#include "core/Output.h"
#include "core/OutputGiveBack.h"
#include "core/RunProcess.h"
#include "kit/base/BackgroundQueue.h"
#include "kit/base/Json.h"
#include "kit/base/MainQueue.h"
#include "kit/base/Url.h"

#include <functional>
#include <new>
#include <optional>
#include <stop_token>
#include <string_view>
#include <system_error>
#include <thread>

namespace qm {

namespace {

// Counts run side by side, each on a thread of its own: a counter that never
// ends holds up no other count.
kit::BackgroundQueue& countingQueue()
{
    static auto* queue =
        new kit::BackgroundQueue(kit::BackgroundQueue::Attributes::concurrent); // lives for the whole process
    return *queue;
}

std::size_t& largestOutputSetting()
{
    static std::size_t bytes = defaultLargestOutput;
    return bytes;
}

// Prints the counter's output ("Output: " and the text) on a thread of its
// own while the count decodes it: through a pipe, tens of megabytes go no
// faster than the reader takes them. The count prints nothing else before
// the printing is done (wait(), or the end of its scope), so the lines are the
// same and in the same order, and gives back of the output only what is
// printed (`printed` is told how far the printing is).
class OutputPrinting {
public:
    OutputPrinting(std::string_view text, std::function<void(std::size_t)> printed)
    {
        try {
            thread_ = std::thread([text, printed] { printLine("Output: ", text, printed); });
        } catch (const std::system_error&) {
            printLine("Output: ", text, printed); // no thread to spare: printed here first
        }
    }
    OutputPrinting(const OutputPrinting&) = delete;
    OutputPrinting& operator=(const OutputPrinting&) = delete;
    ~OutputPrinting() { wait(); }

    void wait()
    {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace

// The project's side of its counts: the number of the latest one asked for
// (only its outcome is published) and the stop that ends those underway.
struct Project::Counts {
    std::uint64_t latest = 0;
    std::stop_source stop;

    // Ends the counts asked for so far; later ones get a stop of their own.
    void endUnderway()
    {
        stop.request_stop();
        stop = std::stop_source();
    }
};

// What a count's caller asked to hear. It goes with the outcome to the main
// queue, so whatever the actions hold is released on the main thread.
struct Project::CountActions {
    Completion completion;
    Failure failure;
};

// What a count takes to its own thread.
struct Project::Count {
    std::string executable;
    std::vector<std::string> arguments;
    std::uint64_t generation = 0;
    std::stop_token stop;
    std::size_t largestOutput = 0;
    std::uint64_t number = 0; // of the project's counts
    std::shared_ptr<CountActions> actions;
    std::weak_ptr<Project> project;
    // The counter started ahead for this count, if one was (a shared hold: the count's task is copied).
    std::shared_ptr<StartedRun> started;
};

Project::Project(std::string folder)
    : path(std::move(folder)), name(kit::lastPathComponent(path)), counts_(std::make_unique<Counts>())
{
}

Project::~Project()
{
    counts_->endUnderway();
}

void Project::startCountAhead(const std::string& folder)
{
    startRunAhead(sccPath(), Project(folder).counterArguments(), counterOutputPadding, largestOutput(), true);
}

void Project::endCountsStartedAhead()
{
    endRunsStartedAhead();
}

std::vector<std::string> Project::counterArguments() const
{
    // "--verbose" has the counter name on standard error each file or folder
    // it could not read, which the count would otherwise leave out unsaid.
    std::vector<std::string> arguments{"--by-file", "--format", "json", "--sort", "code", "--verbose"};
    if (!ignoreExtensions.empty()) {
        arguments.push_back("--exclude-ext");
        arguments.push_back(ignoreExtensions);
    }
    if (ignoreMinified) {
        arguments.push_back("--min");
        arguments.push_back("--no-min");
    }
    if (ignoreGenerated) {
        arguments.push_back("--gen");
        arguments.push_back("--no-gen");
    }
    if (omitDuplicates)
        arguments.push_back("--no-duplicates");
    arguments.push_back(path);
    return arguments;
}

bool Project::isLatestCount(std::uint64_t number) const
{
    return counts_->latest == number;
}

void Project::failCount(std::weak_ptr<Project> weak, std::uint64_t number, std::shared_ptr<CountActions> actions,
                        std::string message, std::string reason, bool onlyIfLatest)
{
    kit::MainQueue::async([weak = std::move(weak), number, actions = std::move(actions), message = std::move(message),
                           reason = std::move(reason), onlyIfLatest] {
        auto project = weak.lock();
        const bool latest = project && project->isLatestCount(number);
        if (latest || !onlyIfLatest)
            printLine("Caught: " + message);
        if (!latest)
            return;
        project->working = false;
        if (actions && actions->failure)
            actions->failure(reason);
        project->countFailed.send(reason);
    });
}

void Project::process(Completion completion, Failure failure)
{
    objectWillChange.send();
    printLine("processing..");
    working = true;
    if (!ignoreExtensions.empty())
        printLine("processing with ignored extensions");

    counts_->endUnderway();
    const std::uint64_t number = ++counts_->latest;
    auto actions = std::make_shared<CountActions>(CountActions{std::move(completion), std::move(failure)});
    try {
        const std::string& executable = sccPath();
        std::vector<std::string> arguments = counterArguments();
        auto started = std::make_shared<StartedRun>(
            takeRunStartedAhead(executable, arguments, counterOutputPadding, largestOutput(), true));
        countingQueue().async(
            [count = Count{executable, std::move(arguments), processGeneration(), counts_->stop.get_token(),
                           largestOutput(), number, actions, weak_from_this(), std::move(started)}]() mutable {
                runCount(std::move(count));
            });
    } catch (const std::exception& error) {
        // No thread for the count (a process limit), or no memory for it.
        failCount(weak_from_this(), number, std::move(actions), error.what(), countNotStartedReason(error));
    }
}

void Project::runCount(Count count)
{
    // Whatever goes wrong on the way becomes a failed count. The actions go
    // with the outcome to the main queue.
    auto fail = [&count](const std::string& message, const std::string& reason, bool onlyIfLatest = false) {
        failCount(std::move(count.project), count.number, std::move(count.actions), message, reason, onlyIfLatest);
    };
    try {
        ProcessResult run = runProcessToEnd(count.executable, count.arguments, count.generation, counterOutputPadding,
                                            count.stop, count.largestOutput, true,
                                            count.started ? std::move(*count.started) : StartedRun{});
        if (run.ended) {
            // Stopped, replaced or removed: only a stopped count is still the
            // latest, and fails.
            if (count.stop.stop_requested())
                return fail(stoppedReason(), stoppedReason(), true);
            // The application quits: what the actions hold is released on
            // the main thread, if it ever turns again.
            kit::MainQueue::async([actions = std::move(count.actions)] {});
            return;
        }
        if (run.startError)
            printLine("ERROR: " + *run.startError);
        // What the counter said on standard error comes first, as it wrote it before its output.
        if (std::string_view said = run.errors.view(); !said.empty())
            printLine(said.ends_with('\n') ? said.substr(0, said.size() - 1) : said);
        std::shared_ptr<const LanguageList> result;
        UnreadableEntries unreadable;
        {
            // The output's memory is given back as it is both read and printed.
            const bool printed = !run.outputTooLarge && counterOutputPrinted();
            OutputGiveBack giveBack(run.output, printed);
            std::optional<OutputPrinting> printing;
            if (printed)
                printing.emplace(run.output, [&giveBack](std::size_t printed) { giveBack.printedTo(printed); });
            if (auto reason = failureOfRun(run, count.executable, count.largestOutput)) {
                printing.reset();
                return fail(*reason, *reason);
            }
            auto named = unreadableEntries(run.errors);
            if (!named) {
                printing.reset();
                const std::string reason = otherErrorsReason(firstOtherLine(run.errors));
                return fail(reason, reason);
            }
            unreadable = std::move(*named);
            result = std::make_shared<const LanguageList>(
                decodeCounterOutput(run.output, run.output.capacity(),
                                    [&giveBack](std::size_t offset, std::size_t length) {
                                        giveBack.read(offset, length);
                                    }));
        }
        if (count.stop.stop_requested())
            return fail(stoppedReason(), stoppedReason(), true);
        if (auto impossible = impossibleFigures(*result))
            return fail(impossibleFiguresReason(*impossible), impossibleFiguresReason(*impossible));
        kit::MainQueue::async([result, unreadable = std::move(unreadable), number = count.number,
                               actions = std::move(count.actions), weak = std::move(count.project)] {
            auto project = weak.lock();
            if (!project || !project->isLatestCount(number))
                return;
            project->objectWillChange.send();
            if (project->initial.empty())
                project->initial = *result;
            project->unreadable = unreadable;
            project->final = *result;
            project->working = false;
            if (actions && actions->completion)
                actions->completion(*result);
            printLine("all ok");
        });
        // Unmapping tens of megabytes takes a few milliseconds: after the
        // outcome is on its way.
        run.output.reset();
    } catch (const kit::DecodingError& error) {
        fail(error.what(), undecodableOutputReason(error));
    } catch (const std::bad_alloc&) {
        fail("out of memory", outOfMemoryReason());
    } catch (const std::exception& error) {
        fail(error.what(), countErrorReason(error));
    }
}

void Project::stopCounts()
{
    counts_->endUnderway();
}

void Project::endCounts()
{
    counts_->endUnderway();
    ++counts_->latest; // outcomes on their way are no longer the latest
    if (*working)
        working = false;
}

void Project::endAllCounts()
{
    endRunningProcesses();
    endRunsStartedAhead();
    countingQueue().waitUntilIdle();
}

std::size_t Project::largestOutput()
{
    return largestOutputSetting();
}

void Project::overrideLargestOutput(std::size_t bytes)
{
    largestOutputSetting() = bytes;
}

} // namespace qm
