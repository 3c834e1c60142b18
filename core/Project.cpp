#include "core/Project.h"

#include "core/LanguageResources.h"
#include "core/Output.h"
#include "core/RunProcess.h"
#include "kit/base/BackgroundQueue.h"
#include "kit/base/MainQueue.h"
#include "kit/base/Url.h"

namespace qm {

namespace {

// Runs the counts, one after another: a count of a project never overlaps
// another count of it, and outcomes reach the FIFO main queue in the order
// the counts were asked for.
kit::BackgroundQueue& countingQueue()
{
    static auto* queue = new kit::BackgroundQueue; // lives for the whole process
    return *queue;
}

// Why a count failed, for the user.
std::string failureReason(const ProcessResult& run, const kit::DecodingError& error)
{
    if (run.startError)
        return *run.startError + ".";
    if (run.exitStatus != 0) {
        // A counter that fails says why on its first line.
        std::string_view said(run.output);
        said = said.substr(0, std::min(said.find('\n'), std::size_t{200}));
        return "The counter stopped with status " + std::to_string(run.exitStatus) + (said.empty() ? "." : ": " + std::string(said));
    }
    return "The counter's output could not be read (" + std::string(error.what()) + ").";
}

} // namespace

Project::Project(std::string folder) : path(std::move(folder)), name(kit::lastPathComponent(path)) {}

std::vector<std::string> Project::counterArguments() const
{
    std::vector<std::string> arguments{"--by-file", "--format", "json", "--sort", "code"};
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

void Project::process(Completion completion, Failure failure)
{
    objectWillChange.send();
    printLine("processing..");
    ++countsUnderway_;
    working = true;
    if (!ignoreExtensions.empty())
        printLine("processing with ignored extensions");

    countingQueue().async([executable = sccPath(), arguments = counterArguments(), generation = processGeneration(),
                           completion = std::move(completion), failure = std::move(failure), weak = weak_from_this()]() mutable {
        ProcessResult run = runProcessToEnd(executable, arguments, generation, counterOutputPadding);
        if (run.ended) {
            // The application is quitting: whatever the actions hold is
            // released on the main thread, if it ever turns again.
            kit::MainQueue::async([completion = std::move(completion), failure = std::move(failure)] {});
            return;
        }
        if (run.startError)
            printLine("ERROR: " + *run.startError);
        printLine("Output: ", run.output);

        // Both outcomes travel on to the main queue with the actions, so
        // whatever these hold is released on the main thread.
        try {
            auto result = std::make_shared<const LanguageList>(decodeCounterOutput(run.output, run.output.capacity()));
            run.output.reset();
            kit::MainQueue::async([result, completion = std::move(completion), failure = std::move(failure), weak] {
                auto project = weak.lock();
                if (!project)
                    return;
                project->objectWillChange.send();
                if (project->initial.empty())
                    project->initial = *result;
                project->final = *result;
                if (--project->countsUnderway_ == 0)
                    project->working = false;
                if (completion)
                    completion(*result);
                printLine("all ok");
            });
        } catch (const kit::DecodingError& error) {
            kit::MainQueue::async([message = std::string(error.what()), reason = failureReason(run, error),
                                   completion = std::move(completion), failure = std::move(failure), weak] {
                auto project = weak.lock();
                if (project && --project->countsUnderway_ == 0)
                    project->working = false;
                printLine("Caught: " + message);
                if (project && failure)
                    failure(reason);
            });
        }
    });
}

void Project::endAllCounts()
{
    endRunningProcesses();
    countingQueue().waitUntilIdle();
}

} // namespace qm
