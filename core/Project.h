#pragma once

#include "core/LanguageEntry.h"
#include "core/UnreadableEntries.h"
#include "kit/base/PassthroughSubject.h"
#include "kit/base/Published.h"
#include "kit/base/UUID.h"

#include <cstdint>
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
    // Ends the project's counts still underway.
    ~Project() override;

    const kit::UUID id;
    const std::string path;
    LanguageList initial;                     // the first non-empty result
    kit::Published<LanguageList> final{this}; // the latest result
    // The files and folders the latest successful count could not read (left
    // out of `final`); set before `final`.
    kit::Published<UnreadableEntries> unreadable{this};
    const std::string name; // last path component of path
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
    // its output is printed ("Output: ") and decoded on a thread of the
    // count's own, so the main thread stays free and no count waits behind
    // another project's. A count replaces the project's count still
    // underway: that counter is ended and its outcome never published, so a
    // project's outcomes come in the order its counts were asked for. The
    // outcome reaches the main queue: on success `unreadable` and `final`
    // hold the new results before `completion` runs (once); on failure (the
    // counter could not start, was ended by a signal, stopped with a status
    // other than 0, wrote more than largestOutput() or output that is not
    // the expected JSON, or figures that cannot be true, or wrote anything
    // but its warnings of unreadable entries on standard error; or the count
    // itself could not get a thread or memory) "Caught: " and why are printed, `failure`
    // and then `countFailed` hear why in a sentence, and nothing else
    // changes. `working` stays true until the outcome of the project's
    // latest count has been handled. A project released meanwhile gets
    // nothing published.
    void process(Completion completion = {}, Failure failure = {});

    // Starts now the counter that the first count of a new project of
    // `folder` (with the default options) will run, so that it is underway
    // while the application gets ready; that count takes it over rather
    // than start its own (see startRunAhead). Nothing is printed, nothing is
    // published, and a counter that cannot start is left to the count.
    static void startCountAhead(const std::string& folder);
    // Ends the counters started ahead that no count took over.
    static void endCountsStartedAhead();

    // Sends why each count of the project failed, after its `failure` action.
    kit::PassthroughSubject<std::string> countFailed;

    // Stops the project's count underway (the user asks, its counter may
    // never end): the counter is ended and the count fails, saying it was
    // stopped.
    void stopCounts();

    // Ends the project's counts underway (the project is removed): their
    // counters are ended, their outcomes never published, and `working`
    // becomes false.
    void endCounts();

    // Ends the running counters at once, drops the counts not yet started
    // and waits for the counting threads (the application quits). Their
    // outcomes are never published.
    static void endAllCounts();

    // The most output a count reads: far above any real tree's, far below
    // memory. A counter that writes more fails its count.
    static std::size_t largestOutput();
    // Counts read at most this many bytes from now on (tests make it small).
    static void overrideLargestOutput(std::size_t bytes);

    friend bool operator==(const Project& a, const Project& b) { return a.path == b.path; }

private:
    struct Counts;
    struct CountActions;
    struct Count;

    // Runs a count on its thread, and hands its outcome to the main queue.
    static void runCount(Count count);

    bool isLatestCount(std::uint64_t number) const;
    // Hands a failed count's outcome to the main queue: "Caught: " and
    // `message` are printed, and when the count is still the project's
    // latest, `working` ends and the failure action and `countFailed` hear
    // `reason`.
    // `onlyIfLatest`: nothing at all is printed for a count no longer the latest.
    static void failCount(std::weak_ptr<Project> weak, std::uint64_t number, std::shared_ptr<CountActions> actions,
                          std::string message, std::string reason, bool onlyIfLatest = false);

    std::unique_ptr<Counts> counts_;
};

} // namespace qm

template <>
struct std::hash<qm::Project> {
    std::size_t operator()(const qm::Project& project) const noexcept { return std::hash<std::string>{}(project.path); }
};
