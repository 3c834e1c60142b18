#include "core/Project.h"

#include "core/LanguageResources.h"
#include "core/Output.h"
#include "core/RunProcess.h"
#include "kit/base/BackgroundQueue.h"
#include "kit/base/MainQueue.h"
#include "kit/base/Url.h"

namespace qm {

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

void Project::process(Completion completion)
{
    objectWillChange.send();
    printLine("processing..");
    working = true;
    if (!ignoreExtensions.empty())
        printLine("processing with ignored extensions");
    std::string output = runProcess(sccPath(), counterArguments());
    printLine("Output: " + output);

    // Decodes run one at a time, in the order the counts started, and hand
    // back through the FIFO main queue: results publish in that order too.
    kit::BackgroundQueue::global().async([output = std::move(output), completion = std::move(completion), weak = weak_from_this()]() mutable {
        // The completion travels on to the main queue in both outcomes, so
        // whatever it holds is released on the main thread.
        try {
            auto result = std::make_shared<const LanguageList>(decodeCounterOutput(output));
            kit::MainQueue::async([result, completion = std::move(completion), weak] {
                auto project = weak.lock();
                if (!project)
                    return;
                project->objectWillChange.send();
                if (project->initial.empty())
                    project->initial = *result;
                project->final = *result;
                project->working = false;
                if (completion)
                    completion(*result);
                printLine("all ok");
            });
        } catch (const kit::DecodingError& error) {
            kit::MainQueue::async([message = std::string(error.what()), completion = std::move(completion), weak] {
                if (auto project = weak.lock())
                    project->working = false;
                printLine("Caught: " + message);
            });
        }
    });
}

} // namespace qm
