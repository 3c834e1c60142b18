#pragma once

#include "core/CountFailure.h"
#include "core/Project.h"
#include "kit/base/Cancellable.h"
#include "kit/base/PassthroughSubject.h"
#include "kit/base/Url.h"

#include <memory>
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
    kit::Published<std::shared_ptr<Project>> selectedProject{this, nullptr, [this](const auto& old) { selectionChanged(old); }};
    kit::Published<std::shared_ptr<LanguageEntry>> selectedLanguage{this};
    kit::CancellableSet cancellables;

    // The folders being added whose first count runs, in the order asked for.
    kit::Published<std::vector<std::string>> adding{this};
    // Sends each folder whose first count failed (it is not added), with why.
    kit::PassthroughSubject<CountFailure> firstCountFailed;

    // Adds folders, or the folders of files, as projects: a missing path is
    // reported and skipped; a path already listed (or already being added)
    // is reported and that project re-selected; any other path is counted and
    // joins the list, selected, when its first count succeeds.
    void addProjects(const std::vector<kit::Url>& urls);

    // Removes every project with the project's path; a removed selection
    // passes to the first remaining project, or to none.
    void removeProject(const std::shared_ptr<Project>& project);

private:
    void selectionChanged(const std::shared_ptr<Project>& old);
    void followSelectedResults();
    bool isAdding(const std::string& path) const;
    void finishAdding(const std::string& path);
    std::shared_ptr<Project> listed(const std::string& path) const;

    kit::Cancellable selectedResults_;
};

} // namespace qm
