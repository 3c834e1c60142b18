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

    // Counts the folder. Runs the counter on the calling (main) thread until
    // its output ends, then decodes the output on the background queue and
    // publishes on the main queue: on success `final` holds the new list
    // before `completion` runs (once); on failure "Caught: " and the error
    // are printed and nothing else changes. `working` is true from the start
    // until the outcome has been handled. A project released meanwhile gets
    // nothing published.
    void process(Completion completion = {});

    friend bool operator==(const Project& a, const Project& b) { return a.path == b.path; }
};

} // namespace qm

template <>
struct std::hash<qm::Project> {
    std::size_t operator()(const qm::Project& project) const noexcept { return std::hash<std::string>{}(project.path); }
};
