#pragma once

#include "core/LanguageEntry.h"
#include "kit/base/Published.h"
#include "kit/base/UUID.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm {

// One counted folder: its options, its run state and the results of its
// latest successful count. Equal projects have equal paths.
class Project : public kit::ObservableObject, public std::enable_shared_from_this<Project> {
public:
    using Completion = std::function<void(const LanguageList&)>;
    // Told why a count failed, in a sentence the user can be shown.
    using Failure = std::function<void(const std::string& reason)>;

    explicit Project(std::string path);

    const kit::UUID id;
    const std::string path;
    LanguageList initial;                 // the first non-empty result
    kit::Published<LanguageList> final{this}; // the latest result
    const std::string name;               // last path component of path
    bool _doWatch = false;
    kit::Published<bool> working{this, false};

    // Counting options, read by the next count.
    std::string ignoreExtensions;
    bool ignoreMinified = false;
    bool ignoreGenerated = false;
    bool omitDuplicates = false;

    // The counter's argument list for the current options, ending with the path.
    std::vector<std::string> counterArguments() const;

    // Counts the folder. Called on the main thread, it announces the count,
    // prints "processing..", sets `working` and returns; the counter runs,
    // its output is printed ("Output: ") and decoded on the counting thread,
    // so the main thread stays free. Counts run one at a time in the order
    // they were asked for, of this project and of every other, and their
    // outcomes reach the main queue in that order: on success `final` holds
    // the new list before `completion` runs (once); on failure "Caught: " and
    // the error are printed, `failure` hears why, and nothing else changes.
    // `working` stays true until the outcome of the project's last count
    // asked for has been handled. A project released meanwhile gets nothing
    // published.
    void process(Completion completion = {}, Failure failure = {});

    // Ends the running count's counter at once, drops the counts not yet
    // started and waits for the counting thread (the application quits).
    // Their outcomes are never published.
    static void endAllCounts();

    friend bool operator==(const Project& a, const Project& b) { return a.path == b.path; }

private:
    int countsUnderway_ = 0;
};

} // namespace qm

template <>
struct std::hash<qm::Project> {
    std::size_t operator()(const qm::Project& project) const noexcept { return std::hash<std::string>{}(project.path); }
};
