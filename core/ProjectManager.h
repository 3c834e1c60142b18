#pragma once

#include "core/CountFailure.h"
#include "core/Project.h"
#include "kit/base/Cancellable.h"
#include "kit/base/PassthroughSubject.h"
#include "kit/base/Url.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// The shared owner of the project list and of the current selection.
class ProjectManager : public kit::ObservableObject, public std::enable_shared_from_this<ProjectManager> {
    struct Token {};

public:
    // The name of the notification whose object (a std::vector<kit::Url>,
    // boxed in a kit::AnyObject) the manager adds as projects.
    static constexpr const char* addProjectsFromDropNotification = "AddProjectsFromDrop";

    // The one manager of the process, created on first use and never released.
    static const std::shared_ptr<ProjectManager>& shared();
    // A separate manager, observing the drop notification like the shared one.
    static std::shared_ptr<ProjectManager> create();
    explicit ProjectManager(Token);

    kit::Published<std::vector<std::shared_ptr<Project>>> projects{this};
    // Assigning a project whose path differs from the previous selection's
    // (or switching between none and a project) clears selectedLanguage.
    kit::Published<std::shared_ptr<Project>> selectedProject{this, nullptr,
                                                             [this](const auto& old) { selectionChanged(old); }};
    kit::Published<std::shared_ptr<LanguageEntry>> selectedLanguage{this};
    kit::CancellableSet cancellables;

    // The folders being added whose first count runs, in the order asked for.
    kit::Published<std::vector<std::string>> adding{this};
    // Sends each folder that could not be added, with why: its first count
    // failed, or nothing is at its path.
    kit::PassthroughSubject<CountFailure> firstCountFailed;
    // Sends each listed project's failed count (a reload, say), with why.
    kit::PassthroughSubject<CountFailure> countFailed;

    // Adds folders, or the folders of files, as projects: a missing path is
    // reported (and sent on firstCountFailed) and skipped; a folder already
    // listed (or already being added), by this path or another name of it (a
    // symbolic link), is reported and that project, which keeps the path first
    // given, re-selected; any other folder is counted and
    // joins the list when its first count succeeds. The counts run side by
    // side, but the list keeps the order the folders were asked for in, and
    // a joining project is selected unless one asked for after it has
    // joined already.
    void addProjects(const std::vector<kit::Url>& urls);

    // Starts the counters that addProjects(urls) will ask for, now, for
    // the first few folders that are not listed yet, each once, by the name
    // first given (a launch's folders count while its window is built).
    // The next addProjects takes them over, or ends those it does not count.
    void startCountsAhead(const std::vector<kit::Url>& urls) const;

    // Stops the first count of a folder being added (its counter may never
    // end): the folder is not added, and firstCountFailed says why.
    void stopAdding(const std::string& path);

    // Removes every project with the project's path and ends their counts
    // underway; a removed selection passes to the first remaining project,
    // or to none.
    void removeProject(const std::shared_ptr<Project>& project);

private:
    // A folder whatever name leads to it: its device and inode.
    struct FolderId {
        std::uint64_t device = 0, inode = 0;
        friend bool operator==(const FolderId&, const FolderId&) = default;
    };
    static std::optional<FolderId> folderIdOf(const std::string& path);
    // Whether the project's folder is the folder at `path`, of identity `id`.
    bool sameFolder(const std::string& projectPath, const std::string& path, const std::optional<FolderId>& id) const;

    void selectionChanged(const std::shared_ptr<Project>& old);
    void followSelectedResults();
    bool isAdding(const std::string& path, const std::optional<FolderId>& id) const;
    void finishAdding(const std::string& path);
    std::shared_ptr<Project> listed(const std::string& path, const std::optional<FolderId>& id) const;
    void join(const std::shared_ptr<Project>& project, std::uint64_t asked);

    // What the manager keeps of each listed project: when it was asked for
    // (the list's order) and the subscription to its failed counts.
    struct Listing {
        std::uint64_t asked = 0;
        kit::Cancellable failures;
    };

    kit::Cancellable selectedResults_;
    std::uint64_t asked_ = 0;
    std::uint64_t selectedOnJoining_ = 0; // the latest asked-for project selected as it joined
    std::map<const Project*, Listing> listings_;
    std::map<std::string, std::weak_ptr<Project>> beingAdded_; // by path, while their first counts run
    // The folders of the listed projects and of those being added, by path,
    // as they were when added: a folder on a mount that no longer answers is
    // not looked at again each time another is added.
    std::map<std::string, FolderId> folderIds_;
};

} // namespace qm
